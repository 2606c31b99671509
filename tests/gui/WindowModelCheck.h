#pragma once

#include "ModelCheck.h"
#include "app/CMainFrame.h"
#include "materials/MaterialPanes.h"
#include "store/CategoryTreeModel.h"
#include "store/RecycleBinModel.h"

// The window changes its models in ways no core test does: it refills them
// when the base changes and applies the end of a write that ran on a worker.
// Every model it shows is held to the same rules here as in the core tests.
inline void checkWindowModels(CMainFrame& frame) {
    checkModel(&frame.categoryTree());
    checkModel(&frame.recycleBin());
    checkModel(&frame.materials().list());
    checkModel(&frame.materials().openMaterials());
    checkModel(&frame.materials().dock());
}
