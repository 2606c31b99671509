#pragma once

#include "documents/CHtmlViewsView.h"

#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// What the browser's tests share: asking a page a question in script, and a
// main() that starts the browser the way a headless run needs.
namespace WebTest {

// The value of a script's last expression, as text; "<no answer>" when the
// page does not answer in time.
inline QString evaluate(CHtmlViewsView& view, const QString& script) {
    QString result;
    bool done = false;
    view.browser()->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value.toString();
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 30000))
        return QStringLiteral("<no answer>");
    return result;
}

// Whether the window takes the title within the time a page needs to load.
inline bool waitForTitle(CHtmlViewsView* view, const QString& title) {
    return QTest::qWaitFor([&] { return view && view->windowTitle() == title; }, 30000);
}

} // namespace WebTest

// The browser wants its GL contexts shared before the application starts; a
// headless run has no GPU to offer.
#define KEEPSAKE_WEB_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char** argv) {                                                              \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))                             \
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");                                \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
