#pragma once

#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "WindowModelCheck.h"
#include "app/CMainFrame.h"
#include "config/FirstRunSetup.h"
#include "config/Profile.h"
#include "db/Recordset.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The main window on a fresh program folder whose first run made the base
// "工作库" from the shipped welcome base, as the window tests start from.
struct WorkingWindow {
    std::unique_ptr<TestHome> home;
    QTemporaryDir profileDir;
    std::unique_ptr<Profile> profile;
    ScriptedPrompter prompter;
    std::unique_ptr<CMainFrame> frame;

    // A new program folder and profile.
    bool setUp() {
        frame.reset();
        home = std::make_unique<TestHome>();
        if (!FirstRunSetup::complete(home->paths(), "工作库", home->path("kb"), prompter))
            return false;
        QFile::remove(profileDir.filePath("p.conf"));
        profile = std::make_unique<Profile>(profileDir.filePath("p.conf"));
        return start();
    }
    // The window (again) on the same folder and profile.
    bool start() {
        frame.reset();
        frame = std::make_unique<CMainFrame>(home->paths(), prompter, *profile);
        if (!frame->OnCreate([] { return true; }))
            return false;
        checkWindowModels(*frame);
        frame->show();
        return QTest::qWaitForWindowExposed(frame.get());
    }
    // The first value of a query on the open base, empty when none.
    QString stored(const QString& sql) const {
        Recordset result(&frame->workspace().database());
        QString value;
        if (result.Open(sql) && !result.IsEOF())
            result.GetValueText(0, value);
        return value;
    }
};
