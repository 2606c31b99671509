#pragma once

#include <QString>

// How a captured page is saved, in the order of the capture commands' menus.
enum class CaptureFormat { CompletePage, SingleFile, HtmlOnly };

// The name under which a captured page (or a download) is saved into a
// material's folder: the page's title (the server's name), made fit to be a
// file name, and never the name of a file the folder already has.
namespace CaptureFileName {

// What a file name may take in bytes (UTF-8) on the file systems bases live on.
inline constexpr int kMaxBytes = 255;

// The title with "/", NUL and the other control characters made blanks,
// blanks trimmed and leading dots removed (they would hide the file). May be
// empty.
QString stemOf(const QString& title);

// ".htm" for a page, ".mht" for a web archive. A complete page also writes
// the folder stem + "_files".
QString suffixOf(CaptureFormat format);

// The full path to save into: the title's stem (else the fallback's, else
// "无标题") followed by " (2)", " (3)" … until none of stem.htm, stem.html,
// stem.mht and stem_files is in the folder, so that no page is overwritten
// and no two pages share a name in the web preview. The stem is shortened,
// never within a character, so that each of those names fits kMaxBytes.
QString freePath(const QString& folder, const QString& title, const QString& fallback,
                 CaptureFormat format);

// The full path a download is saved under: the name the server suggests,
// made fit as a title is (else "下载"), with " (2)", " (3)" … before its
// extension until neither the name nor the browser's "name.download" beside
// it is in the folder, so that no file is overwritten. The part before the
// extension is shortened so that "name.download" fits kMaxBytes.
QString freeDownloadPath(const QString& folder, const QString& suggested);

} // namespace CaptureFileName
