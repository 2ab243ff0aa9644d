// The resource library as the programs open it: registered under "/mvfinder" for the
// lifetime of one object.
#pragma once

#include <QResource>
#include <QString>

#include <gtest/gtest.h>

namespace mvf::testing {

class ResourceLibrary {
public:
    ResourceLibrary() : registered_(QResource::registerResource(MVF_RCC_FILE, "/mvfinder")) {}
    ~ResourceLibrary() {
        if (registered_) QResource::unregisterResource(MVF_RCC_FILE, "/mvfinder");
    }
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    bool registered() const { return registered_; }
    static QString path(const QString& name) { return ":/mvfinder/" + name; }

private:
    bool registered_;
};

} // namespace mvf::testing
