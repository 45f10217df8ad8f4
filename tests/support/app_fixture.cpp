#include "app_fixture.h"

namespace varko::testing {

std::unique_ptr<maintree::MainWindow> AppFixture::MakeWindow(const QStringList& arguments) {
    maintree::StartupOptions options;
    options.appDir = AppDir();
    options.arguments = arguments;
    return std::make_unique<maintree::MainWindow>(m_desktop, options);
}

} // namespace varko::testing
