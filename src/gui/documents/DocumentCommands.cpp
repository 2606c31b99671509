#include "DocumentCommands.h"

#include "DocumentWindow.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"

#include <QAction>

namespace {

struct Definition {
    int id;
    const char* text;
    QKeySequence key;
    bool checkable;
};

const QList<Definition>& definitions() {
    using namespace CommandIds;
    static const QList<Definition> all = {
        {FindWord, "查找当前词", QKeySequence(Qt::CTRL | Qt::Key_F3), false},
        {Find, "查找...", QKeySequence(Qt::CTRL | Qt::Key_F), false},
        {Replace, "替换...", QKeySequence(Qt::CTRL | Qt::Key_H), false},
        {Tabify, "空格转为制表符", {}, false},
        {Untabify, "制表符转为空格", {}, false},
        {UpperCase, "转为大写", {}, false},
        {LowerCase, "转为小写", {}, false},
        {ShowWhiteSpace, "显示空白字符", {}, true},
        {FoldAll, "全部折叠", {}, false},
        {UnfoldAll, "全部展开", {}, false},
        {ToggleBookmark, "设置书签", QKeySequence(Qt::CTRL | Qt::Key_F2), false},
        {ToggleLineMarker, "断点显示", QKeySequence(Qt::Key_F9), false},
        {NextBookmark, "下一个书签", QKeySequence(Qt::Key_F2), false},
        {PreviousBookmark, "上一个书签", QKeySequence(Qt::SHIFT | Qt::Key_F2), false},
        {GoToLine, "转向", QKeySequence(Qt::CTRL | Qt::Key_G), false},
        {Print, "打印", QKeySequence(Qt::CTRL | Qt::Key_P), false},
        {PrintPreview, "打印预览", {}, false},
        {CharBold, "粗体", QKeySequence(Qt::CTRL | Qt::Key_B), true},
        {CharItalic, "斜体", QKeySequence(Qt::CTRL | Qt::Key_I), true},
        {CharUnderline, "下划线", QKeySequence(Qt::CTRL | Qt::Key_U), true},
        {AlignLeft, "左对齐", QKeySequence(Qt::CTRL | Qt::Key_L), true},
        {AlignCenter, "居中", QKeySequence(Qt::CTRL | Qt::Key_E), true},
        {AlignRight, "右对齐", QKeySequence(Qt::CTRL | Qt::Key_R), true},
        {Bullets, "项目符号", {}, true},
        {InsertDate, "插入日期", {}, false},
        {FontColour, "字体颜色", {}, false},
        {ColourPicker, "颜色", {}, false},
        {AutomaticColour, "自动", {}, false},
        {MoreColours, "其他颜色...", {}, false},
    };
    return all;
}

} // namespace

namespace DocumentCommands {

void install(CommandRegistry& commands, std::function<DocumentWindow*()> activeDocument) {
    for (const Definition& command : definitions()) {
        QAction* action = commands.define(command.id, QString::fromUtf8(command.text), command.key,
                                          Qt::WidgetWithChildrenShortcut);
        action->setCheckable(command.checkable);
        if (command.id == CommandIds::FindWord) // Shift searches backwards
            action->setShortcuts({command.key, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F3)});
        const int id = command.id;
        commands.setHandler(
            id,
            [activeDocument, id] {
                if (DocumentWindow* document = activeDocument())
                    document->runCommand(id);
            },
            // The check mark follows the active document whenever the
            // registry re-evaluates, which it does after every command.
            [activeDocument, action, id] {
                DocumentWindow* document = activeDocument();
                if (action->isCheckable())
                    action->setChecked(document && document->commandChecked(id));
                return document && document->commandEnabled(id);
            });
    }
}

const QList<int>& textEditorCommands() {
    using namespace CommandIds;
    static const QList<int> ids = {
        Find,         Replace,          FindWord, Tabify,    UpperCase,      LowerCase,
        Untabify,     ShowWhiteSpace,   FoldAll,  UnfoldAll, ToggleBookmark, ToggleLineMarker,
        NextBookmark, PreviousBookmark, GoToLine, Print,     PrintPreview};
    return ids;
}

const QList<int>& richEditCommands() {
    using namespace CommandIds;
    static const QList<int> ids = {
        CharBold, CharItalic,   CharUnderline, AlignLeft,    AlignCenter,     AlignRight,
        Bullets,  InsertDate,   FontColour,    ColourPicker, AutomaticColour, MoreColours,
        Print,    PrintPreview, Find,          Replace};
    return ids;
}

} // namespace DocumentCommands
