#pragma once

#include "platform/urlopener.h"

// The desktop's own viewer for the document's type, as the user chose it.
class DesktopOpener final : public UrlOpener {
public:
    bool open(const QUrl &url) override;
};
