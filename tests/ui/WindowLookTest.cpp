// The main window under X11 and Wayland (headless weston), at large text, in the dark theme
// and at two screen pixels per point. GTK reads these settings at its start, so each case runs
// this binary again with them in its environment; the child (WindowProbe) shows the window and
// writes every control's place and the play button's pixels for the case to read.
#include "EventPump.h"
#include "FileContents.h"
#include "MainWindow.h"
#include "RecordingLayer.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/bmpbuttn.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

const char* const kProbe = "TW_WINDOW_PROBE";

// "id parent x y w h leaf class:name:font" of every shown window as GTK drew it, relative to the
// frame's window (decorations included; the first child, at 5,5 of the content, tells them).
void Report(std::ostream& out, wxWindow* frame, wxWindow* window, int parent, int& next) {
    for (wxWindow* child : window->GetChildren()) {
        if (!child->IsShown()) {
            continue;
        }
        auto* widget = static_cast<GtkWidget*>(child->GetHandle());
        wxString font = child->GetFont().GetNativeFontInfoUserDesc();
        font.Replace(" ", "_");
        int x = 0, y = 0;
        gtk_widget_translate_coordinates(widget, static_cast<GtkWidget*>(frame->GetHandle()), 0, 0,
                                         &x, &y);
        out << ++next << ' ' << parent << ' ' << x << ' ' << y << ' '
            << gtk_widget_get_allocated_width(widget) << ' '
            << gtk_widget_get_allocated_height(widget) << ' ' << child->GetChildren().empty() << ' '
            << wxString(child->GetClassInfo()->GetClassName()) << ':' << child->GetName() << ':'
            << font << '\n';
        Report(out, frame, child, next, next);
    }
}

// What GTK draws of the control, in screen pixels.
wxImage Capture(wxWindow* control) {
    auto* widget = static_cast<GtkWidget*>(control->GetHandle());
    const int scale = gtk_widget_get_scale_factor(widget);
    wxImage image(gtk_widget_get_allocated_width(widget) * scale,
                  gtk_widget_get_allocated_height(widget) * scale);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.GetWidth(), image.GetHeight());
    cairo_surface_set_device_scale(surface, scale, scale);
    cairo_t* cr = cairo_create(surface);
    gtk_widget_draw(widget, cr);
    cairo_destroy(cr);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const unsigned char* p = data + y * cairo_image_surface_get_stride(surface) + x * 4;
            image.SetRGB(x, y, p[2], p[1], p[0]);
        }
    }
    cairo_surface_destroy(surface);
    return image;
}

struct Placed {
    int id, parent;
    wxRect rect;
    bool leaf;
    std::string name;
};
struct Probed {
    wxSize content, maximized;
    std::vector<Placed> windows;
    wxImage playButton;
};

// Runs the probe with the environment words given.
Probed Probe(const std::string& environment) {
    const twtest::TempDir dir;
    const std::string out = dir.File("probe.txt");
    const std::string command = "env " + environment + " " + kProbe + "=" + out + " " +
                                std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --gtest_filter=WindowProbe.* >" + out + ".log 2>&1";
    Probed probed;
    EXPECT_EQ(std::system(command.c_str()), 0) << twtest::Contents(out + ".log");
    std::istringstream in(twtest::Contents(out));
    in >> probed.content.x >> probed.content.y >> probed.maximized.x >> probed.maximized.y;
    wxPoint shift;
    for (Placed p; in >> p.id >> p.parent >> p.rect.x >> p.rect.y >> p.rect.width >>
                   p.rect.height >> p.leaf >> p.name;) {
        shift = probed.windows.empty() ? wxPoint(5, 5) - p.rect.GetPosition() : shift;
        probed.windows.push_back(p);
        probed.windows.back().rect.Offset(shift);
    }
    probed.playButton.LoadFile(out + ".bmp");
    return probed;
}

wxColour At(const wxImage& image, int x, int y) {
    return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}

// WCAG's relative luminance.
double Luminance(const wxColour& c) {
    const auto linear = [](int v) {
        return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.Red()) + 0.7152 * linear(c.Green()) + 0.0722 * linear(c.Blue());
}

// Mean difference of the picture's opaque (not white) pixels from the button's, the picture
// centred in the button as GTK places it.
double Difference(const wxImage& picture, const wxImage& button) {
    const wxPoint at((button.GetWidth() - picture.GetWidth()) / 2,
                     (button.GetHeight() - picture.GetHeight()) / 2);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < picture.GetHeight(); ++y) {
        for (int x = 0; x < picture.GetWidth(); ++x) {
            const wxColour p = At(picture, x, y), b = At(button, at.x + x, at.y + y);
            if (p != *wxWHITE) {
                sum += std::abs(p.Red() - b.Red()) + std::abs(p.Green() - b.Green()) +
                       std::abs(p.Blue() - b.Blue());
                ++count;
            }
        }
    }
    return sum / std::max(count, 1);
}

} // namespace

// The child's side: content size, every window, the play button's pixels, and the content
// size after being asked to maximize. Skipped unless a case below started it.
TEST(WindowProbe, reportsTheWindowAsTheDesktopMakesIt) {
    const char* out = std::getenv(kProbe);
    if (out == nullptr) {
        GTEST_SKIP() << "run by the cases below";
    }
    twtest::RecordingLayer layer;
    twtest::MainWindow window;
    twUserInterface* ui = window.ui;
    twtest::PumpUntil([&] { return ui->GetClientSize() == ui->layoutSize; });
    twtest::PumpEvents(300);
    std::ostringstream places;
    int next = 0;
    Report(places, ui, ui, 0, next);
    Capture(ui->playMediaButton).SaveFile(std::string(out) + ".bmp", wxBITMAP_TYPE_BMP);
    const wxSize content = ui->GetClientSize();
    ui->Maximize();
    twtest::PumpEvents(1000);
    std::ofstream(out) << content.x << ' ' << content.y << ' ' << ui->GetClientSize().x << ' '
                       << ui->GetClientSize().y << '\n'
                       << places.str();
}

TEST(WindowLook, theWholeLayoutIsInsideTheWindowOnX11AndWaylandAtEveryTextScaleAndTheme) {
    // A headless weston in a runtime folder of its own. Idle from the start (--idle-time=0), it
    // ends a client whose window does not take a size it configured, as compositors may.
    const twtest::TempDir runtime;
    std::filesystem::permissions(runtime.Path(), std::filesystem::perms::owner_all);
    const std::string wayland =
        "XDG_RUNTIME_DIR=" + runtime.Path().string() + " WAYLAND_DISPLAY=tw GDK_BACKEND=wayland";
    std::system(("env " + wayland + " weston --backend=headless-backend.so --socket=tw " +
                 "--use-pixman --idle-time=0 >/dev/null 2>&1 & echo $! >" + runtime.File("pid"))
                    .c_str());
    ASSERT_TRUE(twtest::PumpUntil([&] { return std::filesystem::exists(runtime.File("tw")); }));
    // The Part's places (and fonts, where its own) at the default settings, by report order.
    const std::map<int, std::pair<std::string, wxRect>> partPlaces = {
        {1, {"wxStaticBitmap:staticBitmap:", {5, 5, 150, 24}}},
        {2, {"wxFilePickerCtrl:filepicker:Arial_Bold_14", {165, 5, 325, 24}}},
        {5, {"wxBitmapButton:button:", {5, 39, 120, 40}}},
        {8, {"wxStaticLine:staticLine:", {5, 89, 500, 2}}},
        {9, {"wxStaticBitmap:staticBitmap:", {5, 101, 200, 22}}},
        {10, {"wxPanel:panel:", {5, 133, 474, 265}}},
        {33, {"wxStaticLine:staticLine:", {5, 408, 500, 2}}},
        {34, {"wxStaticBitmap:staticBitmap:", {5, 420, 200, 22}}},
        {35, {"wxStaticBox:groupBox:", {5, 447, 261, 57}}},
        {36, {"wxChoice:choice:", {11, 466, 100, 34}}},
        {37, {"wxChoice:choice:", {121, 466, 130, 34}}},
        {38, {"wxRadioBox:radioBox:", {5, 504, 261, 35}}},
        {39, {"wxStaticBox:groupBox:", {271, 447, 242, 57}}},
        {40, {"wxChoice:choice:", {277, 466, 80, 34}}},
        {41, {"wxChoice:choice:", {367, 466, 95, 34}}},
        {42, {"wxBitmapButton:button:", {467, 466, 42, 34}}},
        {43, {"wxButton:button:Times_New_Roman,_12", {318, 509, 147, 34}}},
    };
    for (const std::string& desktop : {std::string("GDK_BACKEND=x11"), wayland}) {
        for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
            for (const std::string theme : {"Adwaita", "Adwaita:dark"}) {
                const std::string environment =
                    desktop + " GDK_DPI_SCALE=" + std::to_string(scale) + " GTK_THEME=" + theme;
                SCOPED_TRACE(environment);
                const Probed probed = Probe(environment);
                const wxSize layout(static_cast<int>(std::lround(520 * scale)),
                                    static_cast<int>(std::lround(580 * scale)));
                EXPECT_EQ(probed.content, layout);
                EXPECT_EQ(probed.maximized, layout) << "asked to maximize";
                ASSERT_GT(probed.windows.size(), 40u);
                const bool asDrawn = scale == 1 && theme == "Adwaita" && desktop.starts_with("GDK");
                std::map<int, wxRect> rects = {{0, wxRect(wxPoint(), probed.content)}};
                for (const Placed& p : probed.windows) {
                    rects[p.id] = p.rect;
                    if (const auto part = partPlaces.find(p.id);
                        asDrawn && part != partPlaces.end()) {
                        EXPECT_TRUE(p.name.starts_with(part->second.first)) << p.name;
                        EXPECT_EQ(p.rect, part->second.second) << p.name;
                    }
                    EXPECT_TRUE(rects[p.parent].Contains(p.rect)) << p.name << " outside";
                    for (const Placed& q : probed.windows) {
                        EXPECT_FALSE(p.id < q.id && p.leaf && q.leaf && p.rect.Intersects(q.rect))
                            << p.name << " overlaps " << q.name;
                    }
                }
            }
        }
    }
    std::system(("kill $(cat " + runtime.File("pid") + ")").c_str());
}

TEST(WindowLook, captionsAreDrawnForTwoPixelsPerPointAndReadOnTheDarkTheme) {
    // The button shows the 2x drawing itself (the 1x picture doubled differs more).
    const wxImage sharp = Probe("GDK_BACKEND=x11 GDK_SCALE=2").playButton;
    EXPECT_LT(Difference(wxImage("images/PlayMedia_2x.bmp"), sharp), 6.0);

    // The caption "Play" lies from x 33 of the picture on, beside the button's face.
    const wxImage dark = Probe("GDK_BACKEND=x11 GTK_THEME=Adwaita:dark").playButton;
    const wxPoint at((dark.GetWidth() - 100) / 2, (dark.GetHeight() - 30) / 2);
    const double face = Luminance(At(dark, at.x - 2, dark.GetHeight() / 2));
    double contrast = 1;
    for (int y = at.y; y < at.y + 30; ++y) {
        for (int x = at.x + 33; x < at.x + 100; ++x) {
            const double ink = Luminance(At(dark, x, y));
            contrast =
                std::max(contrast, (std::max(ink, face) + 0.05) / (std::min(ink, face) + 0.05));
        }
    }
    EXPECT_GE(contrast, 4.5);
}
