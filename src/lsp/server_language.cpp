#include "varko/lsp/server.h"

namespace varko::lsp {

void Server::BindLanguage() {}

} // namespace varko::lsp
