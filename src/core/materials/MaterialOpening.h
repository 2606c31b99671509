#pragma once

#include <QString>

class Prompter;
struct MaterialRecord;

// What opening a material shows: the web pages of its folder for a material
// of the web-page kind, else its description file, in the rich-text editor
// when the name ends in ".rtf" and in the browser otherwise. The windows are
// the GUI's; the choice and the message are made here.
namespace MaterialOpening {

enum class Viewer { WebPages, RichText, Browser };

struct Target {
    Viewer viewer = Viewer::WebPages;
    QString folder; // the material's folder; empty when it would lie outside the base
    QString file;   // the description file; empty for web pages
};

Target TargetOf(const MaterialRecord& material);

// The description could not be shown: "无法找到该资料的描述信息，打开失败!".
void ReportMissingDescription(Prompter& prompter);

} // namespace MaterialOpening
