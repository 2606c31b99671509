#include "TextFinder.h"

QString& TextFinder::lastText() {
    static QString text;
    return text;
}

TextFinder::Options& TextFinder::lastOptions() {
    static Options options;
    return options;
}
