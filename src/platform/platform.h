#pragma once

#include "core/languages.h"

#include <QString>
#include <functional>

class Clock;
class Attention;
class AlarmNotifier;
class UrlOpener;
class SleepInhibitor;
class WakeScheduler;

// Everything the windows need from the operating system, handed in so tests can swap any of it.
struct Platform {
    Clock *clock = nullptr;
    Attention *attention = nullptr;
    AlarmNotifier *notifier = nullptr;
    UrlOpener *opener = nullptr;
    SleepInhibitor *sleep = nullptr; // optional: holds off sleep, tells of a resume
    WakeScheduler *wake = nullptr;   // optional: wakes the machine for the alarm
    std::function<double()> random;  // uniform in [0, 1)
    QString programFolder;           // ends in "/"
    QString dataFolder;              // ends in "/"
    QString settingsFile;            // where the settings are saved
    QString settingsReadFile;        // where the start-up reads them; empty: settingsFile
    QString cacheFolder;             // where the built-in help is copied to; empty: never
    QString runRecordFile;           // when the program last ran; empty: not kept
    // The languages offered, in menu order.
    LanguageList languages = programLanguages();

    QString settingsToRead() const {
        return settingsReadFile.isEmpty() ? settingsFile : settingsReadFile;
    }
};
