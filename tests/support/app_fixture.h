#pragma once

#include "app_dir_fixture.h"
#include "varko/maintree/window/main_window.h"

#include <memory>

namespace varko::testing {

// The main window over a program directory of the test's own.
class AppFixture : public AppDirFixture {
protected:
    std::unique_ptr<maintree::MainWindow> MakeWindow(const QStringList& arguments = {});
};

} // namespace varko::testing
