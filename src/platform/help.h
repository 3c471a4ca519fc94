#pragma once

#include "core/languages.h"

#include <QString>
#include <QUrl>

class UrlOpener;

// The help page of a language inside the data folder ("/" + name for the root, never "//").
QString helpFilePath(const QString &dataFolder, const LanguageInfo &language);

// The page to open for `page`, a path from helpFilePath: that page when it can be read, else the
// program's built-in page of the same name, written with the pictures it shows into
// `cacheFolder` (or, when others could write there, into a fresh private folder), else `page`
// itself: nothing can be opened, openHelp will say so, and `problem` says why.
QString helpPageOrBuiltIn(const QString &page, const QString &cacheFolder,
                          QString *problem = nullptr);

// A file URL naming exactly that path, whatever characters the folders hold.
QUrl helpUrl(const QString &path, const QString &anchor = {});

// Hands the page to the viewer; false when the page is not there or the viewer refused it, so
// the caller can tell the user instead of failing silently.
bool openHelp(UrlOpener &opener, const QString &path, const QString &anchor = {});

// Which instruction videos can be read, one letter per language in list order, upper case when
// present: "ED", "Ed", "eD" or "ed" for English and Danish.
QString videoAvail(const QString &dataFolder, const LanguageList &languages = programLanguages());
