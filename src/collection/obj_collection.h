#pragma once

#include "collection/obj_data.h"
#include "util/singleton.h"

#include <map>
#include <memory>
#include <string>

namespace collection {

// Parses each OBJ file once and keeps the record for the whole run, keyed by
// the path exactly as it was asked for.
class ObjCollection : public util::Singleton<ObjCollection> {
    friend class util::Singleton<ObjCollection>;

public:
    ~ObjCollection() override;

    // A file that cannot be read still gives a record (all counts 0), which is
    // kept so the file is not tried again.
    ObjData* getObj(std::string path);

private:
    ObjCollection() = default;

    std::map<std::string, std::unique_ptr<ObjData>> objects; // owned records by path
};

} // namespace collection
