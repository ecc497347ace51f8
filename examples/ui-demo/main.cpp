// The framework's demo program: shows the demo form until it is closed. With
// "--close-after=N" it closes itself after N seconds (for unattended runs).
#include <cstdlib>
#include <cstring>
#include <memory>

#include "DemoForm.h"
#include "ui/NativeWindowSystem.h"

int main(int argc, char** argv) {
    auto system = ui::CreateNativeWindowSystem();
    ui::TApplication app(*system);
    if (app.ActivateRunningInstance(ui::demo::kDemoClassName, ui::demo::kDemoCaption)) return 0;
    app.SetTitle(ui::demo::kDemoCaption);
    app.InstallSystemHandCursor();
    auto& form = app.CreateForm<ui::demo::TDemoForm>();

    constexpr const char* kCloseAfter = "--close-after=";
    std::unique_ptr<ui::TTimer> closer;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kCloseAfter, std::strlen(kCloseAfter)) == 0) {
            closer = std::make_unique<ui::TTimer>(form);
            closer->SetInterval(static_cast<unsigned>(std::atoi(argv[i] + std::strlen(kCloseAfter))) * 1000u);
            closer->OnTimer = [&form](ui::TTimer&) { form.Close(); };
            closer->SetEnabled(true);
        }
    }
    app.Run();
    return 0;
}
