// The window's side of the device-search benchmark: the process's CPU time while the "Lookup
// devices" dialog waits out a Bluetooth search that finds nothing, beside the same window idle
// in its event loop for as long, measured in the same process. Runs in build/run under a
// display, with DBUS_SYSTEM_BUS_ADDRESS leading to a BlueZ with an adapter (bench/devices/run
// sets all that up). Prints "idle WALL CPU" and "search WALL CPU" in seconds.
#include "ui/twUserInterface.h"

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/timer.h>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

class BenchApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the toolkit's event loop for the given time.
void RunEventLoop(int milliseconds) {
    wxEventLoop loop;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
    timer.StartOnce(milliseconds);
    loop.Run();
}

template <typename Work> void Measure(const char* what, Work work) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds();
    work();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    std::printf("%s %.3f %.4f\n", what, wall.count(), CpuSeconds() - cpu);
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "the window benchmark needs a display\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    auto* ui = new twUserInterface;
    ui->Show();
    RunEventLoop(500);
    Measure("idle", [] { RunEventLoop(10000); });
    Measure("search", [ui] {
        ui->sendMethodChoice->SetStringSelection("Bluetooth");
        wxCommandEvent event(wxEVT_CHOICE, ui->sendMethodChoice->GetId());
        event.SetEventObject(ui->sendMethodChoice);
        ui->sendMethodChoice->GetEventHandler()->ProcessEvent(event);
    });
    ui->Destroy();
    RunEventLoop(100);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
