#include "LayoutFile.h"

#include "SafeFileWriter.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kRoot = QStringLiteral("Settings");
const QString kTaskPanel = QStringLiteral("TaskPanel");
const QString kNormal = QStringLiteral("NormalLayout");
const QString kFullScreen = QStringLiteral("FullScreenLayout");

// The flag of an element that says "0" for hidden; anything else shows it,
// so a hand-edited file errs towards a visible bar.
bool visibleAttribute(const QXmlStreamAttributes& attributes) {
    return attributes.value(QStringLiteral("visible")) != QStringLiteral("0");
}

std::optional<BarLayout::Item> readItem(QXmlStreamReader& xml) {
    BarLayout::Item item;
    const QXmlStreamAttributes a = xml.attributes();
    const auto name = xml.name();
    bool ok = true;
    if (name == QStringLiteral("Separator")) {
        item.kind = BarLayout::Item::Kind::Separator;
    } else if (name == QStringLiteral("Widget")) {
        item.kind = BarLayout::Item::Kind::Widget;
        item.widget = a.value(QStringLiteral("name")).toString();
        ok = !item.widget.isEmpty();
    } else if (name == QStringLiteral("Command")) {
        item.command = a.value(QStringLiteral("id")).toInt(&ok);
        ok = ok && item.command > 0;
    } else {
        ok = false;
    }
    xml.skipCurrentElement();
    if (!ok)
        return std::nullopt;
    return item;
}

QList<BarLayout> readBars(QXmlStreamReader& xml, bool& menuBarVisible) {
    QList<BarLayout> bars;
    while (xml.readNextStartElement()) {
        if (xml.name() == QStringLiteral("MenuBar")) {
            menuBarVisible = visibleAttribute(xml.attributes());
            xml.skipCurrentElement();
        } else if (xml.name() == QStringLiteral("Bar")) {
            BarLayout bar;
            bar.name = xml.attributes().value(QStringLiteral("name")).toString();
            bar.visible = visibleAttribute(xml.attributes());
            while (xml.readNextStartElement()) {
                if (const std::optional<BarLayout::Item> item = readItem(xml))
                    bar.items.append(*item);
            }
            if (!bar.name.isEmpty())
                bars.append(bar);
        } else {
            xml.skipCurrentElement();
        }
    }
    return bars;
}

WindowLayout readLayout(QXmlStreamReader& xml) {
    WindowLayout layout;
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == QStringLiteral("CommandBars"))
            layout.commandBars = readBars(xml, layout.menuBarVisible);
        else if (name == QStringLiteral("Shortcuts"))
            layout.shortcuts = xml.readElementText().toUtf8();
        else if (name == QStringLiteral("Options"))
            layout.options = xml.readElementText().toUtf8();
        else if (name == QStringLiteral("DockingPane"))
            layout.dockingPane = QByteArray::fromBase64(xml.readElementText().toLatin1());
        else
            xml.skipCurrentElement();
    }
    return layout;
}

QList<TaskGroup> readTaskPanel(QXmlStreamReader& xml) {
    QList<TaskGroup> groups;
    while (xml.readNextStartElement()) {
        if (xml.name() != QStringLiteral("Group")) {
            xml.skipCurrentElement();
            continue;
        }
        TaskGroup group;
        group.title = xml.attributes().value(QStringLiteral("title")).toString();
        while (xml.readNextStartElement()) {
            bool ok = false;
            const int id = xml.attributes().value(QStringLiteral("command")).toInt(&ok);
            if (xml.name() == QStringLiteral("Item") && ok && id > 0)
                group.commands.append(id);
            xml.skipCurrentElement();
        }
        groups.append(group);
    }
    return groups;
}

// The reader turns a carriage return written as such into a line feed, as
// XML wants; written as a character reference it comes back as it was.
void writeTextElement(QXmlStreamWriter& xml, const QString& name, const QString& text) {
    xml.writeStartElement(name);
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        xml.writeCharacters(lines[i]);
    }
    xml.writeEndElement();
}

void writeLayout(QXmlStreamWriter& xml, const QString& section, const WindowLayout& layout) {
    xml.writeStartElement(section);
    if (layout.commandBars) {
        xml.writeStartElement(QStringLiteral("CommandBars"));
        xml.writeEmptyElement(QStringLiteral("MenuBar"));
        xml.writeAttribute(QStringLiteral("visible"),
                           layout.menuBarVisible ? QStringLiteral("1") : QStringLiteral("0"));
        for (const BarLayout& bar : *layout.commandBars) {
            xml.writeStartElement(QStringLiteral("Bar"));
            xml.writeAttribute(QStringLiteral("name"), bar.name);
            xml.writeAttribute(QStringLiteral("visible"),
                               bar.visible ? QStringLiteral("1") : QStringLiteral("0"));
            for (const BarLayout::Item& item : bar.items) {
                switch (item.kind) {
                case BarLayout::Item::Kind::Separator:
                    xml.writeEmptyElement(QStringLiteral("Separator"));
                    break;
                case BarLayout::Item::Kind::Widget:
                    xml.writeEmptyElement(QStringLiteral("Widget"));
                    xml.writeAttribute(QStringLiteral("name"), item.widget);
                    break;
                case BarLayout::Item::Kind::Command:
                    xml.writeEmptyElement(QStringLiteral("Command"));
                    xml.writeAttribute(QStringLiteral("id"), QString::number(item.command));
                    break;
                }
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    writeTextElement(xml, QStringLiteral("Shortcuts"), QString::fromUtf8(layout.shortcuts));
    writeTextElement(xml, QStringLiteral("Options"), QString::fromUtf8(layout.options));
    writeTextElement(xml, QStringLiteral("DockingPane"),
                     QString::fromLatin1(layout.dockingPane.toBase64()));
    xml.writeEndElement();
}

} // namespace

namespace LayoutFile {

std::optional<Contents> parse(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != kRoot)
        return std::nullopt;
    Contents contents;
    while (xml.readNextStartElement()) {
        if (xml.name() == kTaskPanel)
            contents.taskPanel = readTaskPanel(xml);
        else if (xml.name() == kNormal)
            contents.normal = readLayout(xml);
        else if (xml.name() == kFullScreen)
            contents.fullScreen = readLayout(xml);
        else
            xml.skipCurrentElement();
    }
    // A file cut short is no layout: restoring half of one would leave
    // panes and bars in a state the user never arranged.
    if (xml.hasError())
        return std::nullopt;
    return contents;
}

std::optional<Contents> read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.readAll());
}

QByteArray format(const Contents& contents) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(kRoot);
    if (contents.taskPanel) {
        xml.writeStartElement(kTaskPanel);
        for (const TaskGroup& group : *contents.taskPanel) {
            xml.writeStartElement(QStringLiteral("Group"));
            xml.writeAttribute(QStringLiteral("title"), group.title);
            for (int id : group.commands) {
                xml.writeEmptyElement(QStringLiteral("Item"));
                xml.writeAttribute(QStringLiteral("command"), QString::number(id));
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    if (contents.normal)
        writeLayout(xml, kNormal, *contents.normal);
    if (contents.fullScreen)
        writeLayout(xml, kFullScreen, *contents.fullScreen);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

bool write(const QString& path, const Contents& contents, QString* errorText) {
    return SafeFileWriter::write(path, format(contents), errorText);
}

} // namespace LayoutFile
