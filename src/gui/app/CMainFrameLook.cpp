// The window's look: the skins and the paint themes, kept in the profile.

#include "CMainFrame.h"

#include "WindowTheme.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/Profile.h"

#include <QAction>
#include <QActionGroup>

void CMainFrame::createThemeCommands() {
    using namespace CommandIds;
    m_theme = std::make_unique<WindowTheme>(*this);
    const struct {
        int id;
        const char* text;
        const char* key;
    } looks[] = {
        {SkinVistaBlue, "Vista 蓝风格", "Skin"},
        {SkinVistaBlank, "Vista 空白风格", "Skin"},
        {SkinSystem, "系统风格", "Skin"},
        {PaintTheme2002, "Visual Studio 2002 风格", "PaintTheme"},
        {PaintTheme2005, "Visual Studio 2005 风格", "PaintTheme"},
    };
    auto* skins = new QActionGroup(this);
    auto* paintThemes = new QActionGroup(this);
    for (const auto& look : looks) {
        QAction* action = m_commands->define(look.id, QString::fromUtf8(look.text));
        action->setCheckable(true);
        (WindowTheme::isSkin(look.id) ? skins : paintThemes)->addAction(action);
        m_commands->setHandler(look.id, [this, id = look.id, key = look.key] {
            if (WindowTheme::isSkin(id))
                m_theme->setSkin(id);
            else
                m_theme->setPaintTheme(id);
            m_commands->action(id)->setChecked(true);
            m_profile.setValue(QStringLiteral("Settings"), QString::fromLatin1(key), id);
            m_profile.sync();
        });
    }
    // A value another version wrote, or a hand edit, falls back to the
    // defaults rather than leaving nothing checked.
    int skin = m_profile.intValue(QStringLiteral("Settings"), QStringLiteral("Skin"), SkinSystem);
    if (!WindowTheme::isSkin(skin))
        skin = SkinSystem;
    int paint = m_profile.intValue(QStringLiteral("Settings"), QStringLiteral("PaintTheme"),
                                   PaintTheme2005);
    if (!WindowTheme::isPaintTheme(paint))
        paint = PaintTheme2005;
    m_theme->setSkin(skin);
    m_theme->setPaintTheme(paint);
    m_commands->action(skin)->setChecked(true);
    m_commands->action(paint)->setChecked(true);
}
