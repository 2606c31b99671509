#include "SyntaxScheme.h"

#include <QFileInfo>
#include <QSettings>
#include <Qsci/qscilexerbash.h>
#include <Qsci/qscilexerbatch.h>
#include <Qsci/qscilexercmake.h>
#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexercsharp.h>
#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerdiff.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjava.h>
#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qscilexerjson.h>
#include <Qsci/qscilexerlua.h>
#include <Qsci/qscilexermakefile.h>
#include <Qsci/qscilexermarkdown.h>
#include <Qsci/qscilexerperl.h>
#include <Qsci/qscilexerproperties.h>
#include <Qsci/qscilexerpython.h>
#include <Qsci/qscilexersql.h>
#include <Qsci/qscilexerxml.h>
#include <Qsci/qscilexeryaml.h>

#include <functional>

namespace {

QsciLexer* newLexer(const QString& name, QObject* parent) {
    static const QHash<QString, std::function<QsciLexer*(QObject*)>> makers = {
        {"bash", [](QObject* p) { return new QsciLexerBash(p); }},
        {"batch", [](QObject* p) { return new QsciLexerBatch(p); }},
        {"cmake", [](QObject* p) { return new QsciLexerCMake(p); }},
        {"cpp", [](QObject* p) { return new QsciLexerCPP(p); }},
        {"csharp", [](QObject* p) { return new QsciLexerCSharp(p); }},
        {"css", [](QObject* p) { return new QsciLexerCSS(p); }},
        {"diff", [](QObject* p) { return new QsciLexerDiff(p); }},
        {"html", [](QObject* p) { return new QsciLexerHTML(p); }},
        {"java", [](QObject* p) { return new QsciLexerJava(p); }},
        {"javascript", [](QObject* p) { return new QsciLexerJavaScript(p); }},
        {"json", [](QObject* p) { return new QsciLexerJSON(p); }},
        {"lua", [](QObject* p) { return new QsciLexerLua(p); }},
        {"makefile", [](QObject* p) { return new QsciLexerMakefile(p); }},
        {"markdown", [](QObject* p) { return new QsciLexerMarkdown(p); }},
        {"perl", [](QObject* p) { return new QsciLexerPerl(p); }},
        {"properties", [](QObject* p) { return new QsciLexerProperties(p); }},
        {"python", [](QObject* p) { return new QsciLexerPython(p); }},
        {"sql", [](QObject* p) { return new QsciLexerSQL(p); }},
        {"xml", [](QObject* p) { return new QsciLexerXML(p); }},
        {"yaml", [](QObject* p) { return new QsciLexerYAML(p); }},
    };
    const auto it = makers.constFind(name);
    return it == makers.constEnd() ? nullptr : (*it)(parent);
}

// "C comment" and "C++ comment" are two styles: only the blanks go, which
// a settings key cannot hold.
QString styleKey(QString name) {
    name.remove(u' ');
    return name.toLower();
}

} // namespace

SyntaxScheme SyntaxScheme::load(const QString& path) {
    SyntaxScheme scheme;
    if (!QFileInfo(path).isFile())
        return scheme;
    QSettings ini(path, QSettings::IniFormat);

    ini.beginGroup(QStringLiteral("Lexers"));
    for (const QString& name : ini.childKeys()) {
        const QStringList extensions = ini.value(name).toString().split(u' ', Qt::SkipEmptyParts);
        for (const QString& extension : extensions)
            scheme.m_lexerByExtension.insert(extension.toLower(), name.toLower());
    }
    ini.endGroup();

    ini.beginGroup(QStringLiteral("Editor"));
    scheme.m_font.setFamily(ini.value("FontFamily", scheme.m_font.family()).toString());
    scheme.m_font.setPointSize(ini.value("FontSize", scheme.m_font.pointSize()).toInt());
    scheme.m_tabWidth = qBound(1, ini.value("TabWidth", scheme.m_tabWidth).toInt(), 16);
    scheme.m_useTabs = ini.value("UseTabs", scheme.m_useTabs).toBool();
    scheme.m_lineNumbers = ini.value("LineNumbers", scheme.m_lineNumbers).toBool();
    scheme.m_folding = ini.value("Folding", scheme.m_folding).toBool();
    scheme.m_caretLine = ini.value("CaretLine", scheme.m_caretLine).toBool();
    ini.endGroup();

    for (const QString& group : ini.childGroups()) {
        if (group == QLatin1String("Lexers") || group == QLatin1String("Editor"))
            continue;
        ini.beginGroup(group);
        QList<StyleColour>& colours = scheme.m_colours[group.toLower()];
        for (const QString& key : ini.childKeys()) {
            // "#rrggbb,#rrggbb" reads as a list of two; a colour that does
            // not parse leaves the lexer's own.
            const QStringList values = ini.value(key).toStringList();
            StyleColour colour{styleKey(key), QColor(values.value(0).trimmed()),
                               QColor(values.value(1).trimmed())};
            if (colour.text.isValid() || colour.background.isValid())
                colours.append(colour);
        }
        ini.endGroup();
    }
    return scheme;
}

QString SyntaxScheme::lexerName(const QString& extension) const {
    return m_lexerByExtension.value(extension.toLower());
}

bool SyntaxScheme::isTextExtension(const QString& extension) const {
    return !extension.isEmpty() && m_lexerByExtension.contains(extension.toLower());
}

QsciLexer* SyntaxScheme::createLexer(const QString& name, QObject* parent) const {
    QsciLexer* lexer = newLexer(name, parent);
    if (lexer) {
        lexer->setDefaultFont(m_font);
        lexer->setFont(m_font); // every style, so Chinese text lines up
        applyColours(name, lexer);
    }
    return lexer;
}

void SyntaxScheme::applyColours(const QString& name, QsciLexer* lexer) const {
    const QList<StyleColour> colours = m_colours.value(name);
    if (colours.isEmpty())
        return;
    QHash<QString, int> styleByKey;
    for (int style = 0; style < 256; ++style) {
        const QString description = lexer->description(style);
        if (!description.isEmpty()) {
            styleByKey.insert(styleKey(description), style);
            styleByKey.insert(QString::number(style), style);
        }
    }
    for (const StyleColour& colour : colours) {
        const auto it = styleByKey.constFind(colour.style);
        if (it == styleByKey.constEnd())
            continue;
        if (colour.text.isValid())
            lexer->setColor(colour.text, *it);
        if (colour.background.isValid())
            lexer->setPaper(colour.background, *it);
    }
}
