#pragma once

#include "core/languages.h"

#include <QString>
#include <functional>

class Clock;
class Attention;
class AlarmNotifier;
class UrlOpener;

// Everything the windows need from the operating system, handed in so tests can swap any of it.
struct Platform {
    Clock *clock = nullptr;
    Attention *attention = nullptr;
    AlarmNotifier *notifier = nullptr;
    UrlOpener *opener = nullptr;
    std::function<double()> random; // uniform in [0, 1)
    QString programFolder;          // ends in "/"
    QString dataFolder;             // ends in "/"
    QString settingsFile;
    // The languages offered, in menu order; tests add one of their own.
    LanguageList languages = programLanguages();
};
