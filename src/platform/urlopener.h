#pragma once

#include <QUrl>

// Hands a document to the desktop's viewer; never through a shell command line.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool open(const QUrl &url) = 0;
};
