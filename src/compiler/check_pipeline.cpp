#include "varko/compiler/check_pipeline.h"

namespace varko::compiler {

DocumentKind KindOfPath(std::string_view path) {
    return textrules::FileExtension(path) == ".tt" ? DocumentKind::TechTree : DocumentKind::Odf;
}

void CheckDocument(const textrules::LineList& lines, DocumentKind kind, const CheckEnvironment& environment,
                   const std::atomic<bool>& stop, CheckSink& sink) {
    const GameFiles files = environment.Files();
    if (kind == DocumentKind::TechTree) {
        CompileTT(lines, files, stop, sink);
        return;
    }
    const std::shared_ptr<const DeclarationTable> declarations = environment.Declarations();
    if (!declarations) {
        sink.RunStarted(0);
        sink.RunFailed(std::string(kDeclarationsMissing));
        return;
    }
    CompileOdf(lines, *declarations, files, stop, sink);
}

} // namespace varko::compiler
