// The window's side of the Wi-Fi benchmark, in one process under a display, run in build/run
// with the working file given as argument (bench/wifi/run sets that up):
//   "anchor MS": the 30-second iPhone ringtone rendered and encoded alone (RingtoneJob), median;
//   "click MS": Convert and Send with "Wi-Fi (scan a code)" until the dialog shows the code, drawn;
//   "offer MS": of that, from the offer's dialog made (the file made) to the code drawn;
//   "idle MEDIAN P95" and "busy MEDIAN P95": milliseconds from posting an event to the window
//   until it runs, with the dialog up, idle and then while 8 clients download the file at once,
//   each at 2 MB/s.
#include "delivery/RingtoneFormat.h"
#include "delivery/RingtoneJob.h"
#include "editor/twMediaEditControl.h"
#include "platform/HiddenConsole.h"
#include "platform/linux/PtyConsole.h"
#include "ui/ConvertAndSendCommand.h"
#include "ui/twOfferDialog.h"
#include "ui/twUserInterface.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class BenchApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
};

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[static_cast<size_t>(share * (values.size() - 1))];
}

// The offer's dialog once made; once it shows the code when `withCode`.
twOfferDialog* Offer(bool withCode) {
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* offer = dynamic_cast<twOfferDialog*>(window);
            offer != nullptr && (!withCode || !offer->address->GetValue().empty())) {
            return offer;
        }
    }
    return nullptr;
}

// Downloads as a phone on a fast Wi-Fi does, 2 MB/s: on loopback without a limit, 8 clients
// would only measure how 2 cores are shared among 10 busy threads.
void Download(const std::string& host, int port, const std::string& request) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, host.c_str(), &to.sin_addr);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 &&
        send(fd, request.data(), request.size(), MSG_NOSIGNAL) > 0) {
        std::vector<char> buffer(64 * 1024);
        while (recv(fd, buffer.data(), buffer.size(), 0) > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(32));
        }
    }
    close(fd);
}

// Posts an event every 5 ms and notes how long each waits before it runs.
class LatencyProbe {
public:
    explicit LatencyProbe(wxWindow* window) {
        timer.Bind(wxEVT_TIMER, [this, window](wxTimerEvent&) {
            const Clock::time_point posted = Clock::now();
            window->CallAfter(
                [this, posted] { waits.push_back(Milliseconds(Clock::now() - posted)); });
        });
        timer.Start(5);
    }
    std::vector<double> waits;

private:
    wxTimer timer;
};

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
    if (argc < 3 || !wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "usage (under a display): tw_bench_wifi WORKING.wav ROUNDS\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    // The converter runs on the process's console, as the program's start-up gives it one.
    SetProcessConsole(CreatePtyConsole());
    const int rounds = std::atoi(argv[2]);
    auto* ui = new twUserInterface;
    ui->Show();
    twMediaEditControl* editor = ui->mediaEditControl;
    if (!editor->CalculateMediaData(wxString::FromUTF8(argv[1]), ui)) {
        std::fprintf(stderr, "%s could not be loaded\n", argv[1]);
        return 1;
    }
    editor->ResetZoom();
    editor->cutRuler->SetValues(1, 31);
    const RingtoneFormat& format = *FindFormatByName("iphone-m4a");

    std::vector<double> anchor;
    std::vector<double> click;
    std::vector<double> offered;
    std::vector<double> idle;
    std::vector<double> busy;
    for (int round = 0; round < rounds; ++round) {
        {
            RingtoneJob job;
            const Clock::time_point start = Clock::now();
            if (!job.Make(*editor->waveGraph, RingtoneSound{1, 31, editor->Effects()}, format,
                          "Song.wav", nullptr, nullptr)) {
                std::fprintf(stderr, "%s\n", job.Explanation().c_str());
                return 1;
            }
            anchor.push_back(Milliseconds(Clock::now() - start));
        }
        ConvertAndSendCommand command(ui, editor);
        command.ask = [](const wxString&, const wxString&) { return wxID_YES; };
        command.inform = [](const wxString&, const wxString& text) {
            std::fprintf(stderr, "%s\n", text.utf8_str().data());
        };
        ConvertAndSendCommand::Selection selection;
        selection.sourcePath = "Song.wav";
        selection.vendor = "Apple";
        selection.model = "iPhone 15";
        selection.phone = PhonePlatform::IPhone;
        selection.offeredCodes = {"M4A"};
        selection.format = "M4A";
        selection.sendMethod = "Wi-Fi (scan a code)";
        const bool measureLatency = round == rounds - 1;
        Clock::time_point made;
        Clock::time_point shown;
        std::unique_ptr<LatencyProbe> probe;
        std::atomic<bool> stopClients = false;
        std::vector<std::thread> clients;
        Clock::time_point phase;
        wxTimer watch;
        watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (made == Clock::time_point() && Offer(false) != nullptr) {
                made = Clock::now();
            }
            twOfferDialog* offer = Offer(true);
            if (offer == nullptr) {
                return;
            }
            if (shown == Clock::time_point()) {
                offer->Update();
                shown = Clock::now();
                phase = shown;
                if (measureLatency) {
                    probe = std::make_unique<LatencyProbe>(offer);
                }
                return;
            }
            const double elapsed = Milliseconds(Clock::now() - phase);
            if (measureLatency && clients.empty() && elapsed > 2000) {
                idle = probe->waits;
                probe->waits.clear();
                const std::string url = offer->address->GetValue().utf8_string();
                const std::string host = url.substr(7, url.find(':', 7) - 7);
                const int port = std::stoi(url.substr(url.find(':', 7) + 1));
                const std::string get = "GET " + url.substr(url.find('/', 7)) +
                                        "file HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
                for (int i = 0; i < 8; ++i) {
                    clients.emplace_back([&, host, port, get] {
                        while (!stopClients) {
                            Download(host, port, get);
                        }
                    });
                }
                phase = Clock::now();
                return;
            }
            if (!measureLatency || (!clients.empty() && elapsed > 3000)) {
                if (measureLatency) {
                    busy = probe->waits;
                    probe.reset();
                }
                stopClients = true;
                wxCommandEvent press(wxEVT_BUTTON, wxID_CANCEL);
                press.SetEventObject(offer->stop);
                offer->stop->GetEventHandler()->ProcessEvent(press);
            }
        });
        watch.Start(1);
        const Clock::time_point start = Clock::now();
        const ConvertAndSendCommand::Outcome outcome = command.Run(selection);
        if (shown == Clock::time_point()) {
            std::fprintf(stderr, "no code was shown (%d): %s\n", static_cast<int>(outcome),
                         DescribeDeliveryError(command.error));
            return 1;
        }
        watch.Stop();
        for (std::thread& client : clients) {
            client.join();
        }
        click.push_back(Milliseconds(shown - start));
        offered.push_back(Milliseconds(shown - made));
    }
    std::printf("anchor %.1f\nclick %.1f\noffer %.1f\n", Percentile(anchor, 0.5),
                Percentile(click, 0.5), Percentile(offered, 0.5));
    std::printf("idle %.2f %.2f\nbusy %.2f %.2f\n", Percentile(idle, 0.5), Percentile(idle, 0.95),
                Percentile(busy, 0.5), Percentile(busy, 0.95));
    ui->Destroy();
    SetProcessConsole(nullptr);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
