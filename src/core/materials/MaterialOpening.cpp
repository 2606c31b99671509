#include "MaterialOpening.h"

#include "DescriptionFiles.h"
#include "Prompter.h"
#include "store/MaterialFolder.h"
#include "store/MaterialRecord.h"

namespace MaterialOpening {

Target TargetOf(const MaterialRecord& material) {
    Target target;
    target.folder = MaterialFolder::Resolve(material.FilesRoot, material.MinuItemFilePath);
    if (material.DescribeFileType == QLatin1String("1"))
        return target;
    target.file = DescriptionFiles::PathOf(material);
    target.viewer = material.MinuItemDescribeFilename.endsWith(QLatin1String(".rtf"))
                        ? Viewer::RichText
                        : Viewer::Browser;
    return target;
}

void ReportMissingDescription(Prompter& prompter) {
    prompter.error(QStringLiteral("无法找到该资料的描述信息，打开失败!"));
}

} // namespace MaterialOpening
