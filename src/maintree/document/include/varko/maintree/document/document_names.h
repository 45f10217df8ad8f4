#pragma once

#include <QString>

namespace varko::maintree {

inline const QString kUntitledOdf = QStringLiteral("Untitled.odf");
inline const QString kUntitledTt = QStringLiteral("Untitled.tt");

inline const QString kOpenFilter =
    QStringLiteral("ODF and TT Files|*.odf;*.tt|Text files|*.txt|All files|*.*");
inline const QString kSaveFilter =
    QStringLiteral("ODF files|*.odf|Tech Tree files|*.tt|Text files|*.txt|All files|*.*");
// Indices of the save dialog's filters.
inline constexpr int kOdfFilter = 1;
inline constexpr int kTtFilter = 2;

// The text after the last directory separator; the whole name when there is none.
QString FileNamePart(const QString& name);
// From the last "." on, the dot included, unless a separator follows it; else empty.
QString Extension(const QString& name);
// Exactly "Untitled.odf" or "Untitled.tt", case included.
bool IsUntitled(const QString& name);
// "ship1.odf - VARKO" for a document at ".../ship1.odf".
QString DocumentCaption(const QString& currentFile);
// The save dialog's filter for a name: 2 for ".tt", 1 for ".odf", 0 to leave it as it is.
int SaveFilterFor(const QString& name);
// A chosen name without an extension takes ".odf" or ".tt" from the name that was being saved.
QString WithDocumentExtension(const QString& chosen, const QString& savedName);

} // namespace varko::maintree
