#pragma once

#include <QAbstractItemModelTester>

// Holds a model to the rules every Qt view relies on (indexes and parents
// agree, each change is announced before and after it is made, counts match
// what was announced) under everything the test then does to it. A view
// shown a model that breaks them draws stale rows or crashes, far from the
// change that broke it. A broken rule fails the test function that made it.
// The checker lives as long as the model.
inline QAbstractItemModelTester* checkModel(QAbstractItemModel* model) {
    return new QAbstractItemModelTester(
        model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
}
