// The main window on the desktops people run: under X11 and under Wayland (weston, headless), at
// the text scales of large-text settings, in the light and the dark theme, and at two screen
// pixels per point. GTK reads these settings when it starts, so each case runs this binary again
// as a child with the desktop's settings in its environment; the child (WindowProbe) shows the
// window and writes what it finds to a file that the case reads.
#include "EventPump.h"
#include "FileContents.h"
#include "MainWindow.h"
#include "RecordingLayer.h"
#include "TempDir.h"
#include "Weston.h"
#include "ui/twUserInterface.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/bmpbuttn.h>
#include <wx/image.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kProbeOutput = "TW_WINDOW_PROBE";

// One window of the frame, in the frame's content coordinates.
struct Placed {
    int id = 0;
    int parent = 0; // 0: the frame
    std::string name;
    wxRect rect;
    bool leaf = false;
};

// Where GTK placed the control in the top-level window (title bar and shadow included).
wxRect Allocation(wxWindow* frame, wxWindow* control) {
    auto* widget = static_cast<GtkWidget*>(control->GetHandle());
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(widget, static_cast<GtkWidget*>(frame->GetHandle()), 0, 0, &x,
                                     &y);
    return wxRect(x, y, gtk_widget_get_allocated_width(widget),
                  gtk_widget_get_allocated_height(widget));
}

// Every window below `window` as GTK drew it, in the frame's content coordinates: its origin is
// where GTK placed a direct child of the frame, less that child's place in the content.
void Report(std::ostream& out, wxWindow* frame, wxWindow* window, int parent, int& next) {
    wxWindow* first = frame->GetChildren().front();
    const wxPoint origin = Allocation(frame, first).GetPosition() - first->GetPosition();
    for (wxWindow* child : window->GetChildren()) {
        if (!child->IsShown() || child->IsTopLevel()) {
            continue;
        }
        const int id = ++next;
        const wxRect drawn = Allocation(frame, child);
        const wxPoint at = drawn.GetPosition() - origin;
        const wxSize size = drawn.GetSize();
        out << "window " << id << ' ' << parent << ' ' << at.x << ' ' << at.y << ' ' << size.x
            << ' ' << size.y << ' ' << (child->GetChildren().empty() ? 1 : 0) << ' '
            << wxString(child->GetClassInfo()->GetClassName()).ToStdString() << ':'
            << child->GetName().ToStdString() << '\n';
        Report(out, frame, child, id, next);
    }
}

// What GTK draws of a control, in the screen's pixels, as a BMP file.
void Capture(wxWindow* control, const std::string& path) {
    auto* widget = static_cast<GtkWidget*>(control->GetHandle());
    const int scale = gtk_widget_get_scale_factor(widget);
    const int w = gtk_widget_get_allocated_width(widget) * scale;
    const int h = gtk_widget_get_allocated_height(widget) * scale;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_set_device_scale(surface, scale, scale);
    cairo_t* cr = cairo_create(surface);
    gtk_widget_draw(widget, cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    wxImage image(w, h);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = data + y * stride + x * 4; // B, G, R, unused
            image.SetRGB(x, y, p[2], p[1], p[0]);
        }
    }
    cairo_surface_destroy(surface);
    image.SaveFile(path, wxBITMAP_TYPE_BMP);
}

// The child's side: shows the window as the desktop's settings make it and writes its content
// size, every window in it, the play button's pixels, and the content size after being asked
// to maximize. Skipped unless a case started it.
TEST(WindowProbe, reportsTheWindowAsTheDesktopMakesIt) {
    const char* output = std::getenv(kProbeOutput);
    if (output == nullptr) {
        GTEST_SKIP() << "run by the cases below";
    }
    twtest::RecordingLayer layer;
    twtest::MainWindow window;
    twUserInterface* ui = window.ui;
    twtest::PumpUntil([&] { return ui->GetClientSize() == ui->layoutSize; });
    twtest::PumpEvents(300);
    std::ofstream out(output);
    out << "content " << ui->GetClientSize().x << ' ' << ui->GetClientSize().y << '\n';
    int next = 0;
    Report(out, ui, ui, 0, next);
    Capture(ui->playMediaButton, std::string(output) + ".bmp");
    out.flush();
    ui->Maximize();
    twtest::PumpEvents(1000);
    out << "maximized " << ui->GetClientSize().x << ' ' << ui->GetClientSize().y << '\n';
}

struct Probed {
    wxSize content;
    wxSize maximized;
    std::vector<Placed> windows;
    wxImage playButton;
};

// Runs the probe with the environment words given.
Probed Probe(const std::string& environment) {
    twtest::TempDir dir;
    const std::string output = dir.File("probe.txt");
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "env " + environment + " " + kProbeOutput + "=" + output + " " +
                                self + " --gtest_filter=WindowProbe.* >" + dir.File("log.txt") +
                                " 2>&1";
    Probed probed;
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << command << "\n" << twtest::Contents(dir.File("log.txt"));
        return probed;
    }
    std::istringstream in(twtest::Contents(output));
    std::string kind;
    while (in >> kind) {
        if (kind == "content") {
            in >> probed.content.x >> probed.content.y;
        } else if (kind == "maximized") {
            in >> probed.maximized.x >> probed.maximized.y;
        } else {
            Placed p;
            int leaf = 0;
            in >> p.id >> p.parent >> p.rect.x >> p.rect.y >> p.rect.width >> p.rect.height >>
                leaf >> p.name;
            p.leaf = leaf != 0;
            probed.windows.push_back(p);
        }
    }
    probed.playButton.LoadFile(output + ".bmp");
    return probed;
}

std::string Where(const Placed& p) {
    std::ostringstream text;
    text << p.name << " at " << p.rect.x << ',' << p.rect.y << ' ' << p.rect.width << 'x'
         << p.rect.height;
    return text.str();
}

// WCAG's relative luminance and contrast ratio.
double Luminance(const wxColour& c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.Red()) + 0.7152 * channel(c.Green()) + 0.0722 * channel(c.Blue());
}
double Contrast(const wxColour& a, const wxColour& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Where the picture lies in the button: the offset at which its opaque (not white) pixels
// match the capture best, and their mean difference there.
wxColour At(const wxImage& image, int x, int y) {
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

std::pair<wxPoint, double> Find(const wxImage& picture, const wxImage& shot) {
    std::pair<wxPoint, double> best{{0, 0}, 1e9};
    for (int oy = 0; oy + picture.GetHeight() <= shot.GetHeight(); ++oy) {
        for (int ox = 0; ox + picture.GetWidth() <= shot.GetWidth(); ++ox) {
            double sum = 0;
            int count = 0;
            for (int y = 0; y < picture.GetHeight(); y += 2) {
                for (int x = 0; x < picture.GetWidth(); ++x) {
                    const wxColour p = At(picture, x, y);
                    if (p == *wxWHITE) {
                        continue;
                    }
                    const wxColour s = At(shot, ox + x, oy + y);
                    sum += std::abs(p.Red() - s.Red()) + std::abs(p.Green() - s.Green()) +
                           std::abs(p.Blue() - s.Blue());
                    ++count;
                }
            }
            if (count > 0 && sum / count < best.second) {
                best = {{ox, oy}, sum / count};
            }
        }
    }
    return best;
}

} // namespace

TEST(WindowLook, theWholeLayoutIsInsideTheWindowOnX11AndWaylandAtEveryTextScaleAndTheme) {
    twtest::Weston weston;
    ASSERT_TRUE(weston.Running());
    // The Part's places at the default settings, in content coordinates.
    const std::map<std::string, wxRect> partPlaces = {
        {"wxStaticBitmap:staticBitmap", {5, 5, 150, 24}},
        {"wxFilePickerCtrl:filepicker", {165, 5, 325, 24}},
        {"wxBitmapButton:button", {5, 39, 120, 40}},
        {"wxPanel:panel", {5, 133, 474, 265}},
        {"wxStaticBox:groupBox", {5, 447, 261, 57}},
        {"wxRadioBox:radioBox", {5, 504, 261, 35}},
        {"wxButton:button", {318, 509, 147, 34}},
    };
    struct Desktop {
        const char* name;
        std::string environment;
    };
    const std::vector<Desktop> desktops = {{"X11", "GDK_BACKEND=x11"},
                                           {"Wayland", weston.Environment()}};
    for (const Desktop& desktop : desktops) {
        for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
            for (const char* theme : {"Adwaita", "Adwaita:dark"}) {
                std::ostringstream label;
                label << desktop.name << " text " << scale << ' ' << theme;
                SCOPED_TRACE(label.str());
                const Probed probed =
                    Probe(desktop.environment + " GDK_DPI_SCALE=" + std::to_string(scale) +
                          " GTK_THEME=" + theme);
                const wxSize layout(static_cast<int>(std::lround(520 * scale)),
                                    static_cast<int>(std::lround(580 * scale)));
                EXPECT_EQ(probed.content, layout);
                EXPECT_EQ(probed.maximized, layout) << "asked to maximize";
                ASSERT_GT(probed.windows.size(), 40u);
                std::map<int, wxRect> byId = {{0, wxRect(wxPoint(0, 0), probed.content)}};
                for (const Placed& p : probed.windows) {
                    byId[p.id] = p.rect;
                    EXPECT_TRUE(byId[p.parent].Contains(p.rect)) << Where(p) << " outside";
                }
                for (size_t i = 0; i < probed.windows.size(); ++i) {
                    for (size_t j = i + 1; j < probed.windows.size(); ++j) {
                        const Placed& a = probed.windows[i];
                        const Placed& b = probed.windows[j];
                        EXPECT_FALSE(a.leaf && b.leaf && a.rect.Intersects(b.rect))
                            << Where(a) << " overlaps " << Where(b);
                    }
                }
                if (scale != 1.0 || std::string(theme) != "Adwaita" || desktop.name[0] != 'X') {
                    continue;
                }
                for (const auto& [name, place] : partPlaces) {
                    const auto found =
                        std::find_if(probed.windows.begin(), probed.windows.end(),
                                     [&](const Placed& p) { return p.name == name; });
                    ASSERT_NE(found, probed.windows.end()) << name;
                    EXPECT_EQ(found->rect, place) << Where(*found);
                }
            }
        }
    }
}

TEST(WindowLook, captionsAreDrawnForTwoPixelsPerPointAndReadOnTheDarkTheme) {
    const wxImage twice("images/PlayMedia_2x.bmp");
    const wxImage once("images/PlayMedia.bmp");
    ASSERT_TRUE(twice.IsOk() && once.IsOk());
    const wxImage doubled =
        once.Scale(once.GetWidth() * 2, once.GetHeight() * 2, wxIMAGE_QUALITY_NEAREST);

    const Probed sharp = Probe("GDK_BACKEND=x11 GDK_SCALE=2");
    const auto [at, difference] = Find(twice, sharp.playButton);
    EXPECT_LT(difference, 6.0) << "the 2x drawing is not in the button";
    EXPECT_GT(Find(doubled, sharp.playButton).second, difference + 6.0)
        << "the button shows the 1x picture doubled";

    const Probed dark = Probe("GDK_BACKEND=x11 GTK_THEME=Adwaita:dark");
    const wxImage& shot = dark.playButton;
    ASSERT_GT(shot.GetWidth(), once.GetWidth());
    // The caption "Play" lies right of the badge, from x 33 of the picture on; the button's
    // face is the colour beside the picture.
    const int left = (shot.GetWidth() - once.GetWidth()) / 2 + 33;
    const int top = (shot.GetHeight() - once.GetHeight()) / 2;
    const wxColour face = At(shot, left - 33 - 2, shot.GetHeight() / 2);
    double best = 1.0;
    for (int y = top; y < top + once.GetHeight(); ++y) {
        for (int x = left; x < left + once.GetWidth() - 33; ++x) {
            best = std::max(best, Contrast(At(shot, x, y), face));
        }
    }
    EXPECT_GE(best, 4.5);
}
