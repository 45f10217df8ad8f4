#include "app_fixture.h"

namespace varko::testing {

std::unique_ptr<maintree::MainWindow> AppFixture::MakeWindow(const QStringList& arguments) {
    return std::make_unique<maintree::MainWindow>(
        m_desktop, maintree::StartupOptions{.appDir = AppDir(), .arguments = arguments});
}

} // namespace varko::testing
