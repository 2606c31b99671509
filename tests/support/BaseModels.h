#pragma once

#include "ModelCheck.h"
#include "TestBase.h"
#include "TestHome.h"
#include "materials/MaterialPanes.h"
#include "store/CategoryTreeModel.h"
#include "store/MaterialClipboard.h"
#include "store/RecycleBinModel.h"
#include "store/TreeService.h"

#include <QObject>
#include <memory>

// What the store and pane tests start from: a blank base with the category
// tree and the recycle bin over it and, when asked for, the material panes
// over a program folder, joined to both as the main window joins them. Every
// model is held to Qt's model rules. A test derives from it and calls
// openModels() in init() and closeModels() in cleanup().
class BaseModels : public QObject {
protected:
    std::unique_ptr<TestBase> t;
    std::unique_ptr<TestHome> home;
    std::unique_ptr<MaterialClipboard> clipboard;
    std::unique_ptr<TreeService> service;
    std::unique_ptr<CategoryTreeModel> tree;
    std::unique_ptr<RecycleBinModel> bin;
    std::unique_ptr<MaterialPanes> panes;

    void openModels(bool withPanes = false) {
        t = std::make_unique<TestBase>();
        clipboard = std::make_unique<MaterialClipboard>();
        service = std::make_unique<TreeService>(t->store, t->base, t->prompter, *clipboard);
        tree = std::make_unique<CategoryTreeModel>(*service);
        bin = std::make_unique<RecycleBinModel>(t->store, t->base, t->prompter, *service);
        checkModel(tree.get());
        checkModel(bin.get());
        if (!withPanes)
            return;
        home = std::make_unique<TestHome>();
        panes = std::make_unique<MaterialPanes>(t->store, t->base, t->prompter, home->paths(),
                                                *clipboard);
        panes->connectTree(*service);
        panes->connectRecycleBin(*bin);
        checkModel(&panes->list());
        checkModel(&panes->openMaterials());
        checkModel(&panes->dock());
    }
    // The panes go before the models they follow, the base last.
    void closeModels() {
        panes.reset();
        bin.reset();
        tree.reset();
        service.reset();
        clipboard.reset();
        t.reset();
        home.reset();
    }
};
