#pragma once

#include "app_dir_fixture.h"
#include "varko/maintree/t_form1.h"

#include <memory>

namespace varko::testing {

// The main window over a program directory of the test's own.
class AppFixture : public AppDirFixture {
protected:
    std::unique_ptr<maintree::TForm1> MakeForm(const QStringList& arguments = {});
};

} // namespace varko::testing
