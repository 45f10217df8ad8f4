#include "app_fixture.h"

namespace varko::testing {

std::unique_ptr<maintree::TForm1> AppFixture::MakeForm(const QStringList& arguments) {
    return std::make_unique<maintree::TForm1>(m_desktop, maintree::StartupOptions{AppDir(), arguments});
}

} // namespace varko::testing
