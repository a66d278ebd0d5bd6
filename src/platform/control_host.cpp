#include "platform/control_host.h"

#include <algorithm>

namespace host {

PropertyValue PropertyBag::ReadProperty(const std::string& key, const PropertyValue& def) const {
    auto it = values_.find(key);
    if (it == values_.end() || it->second.index() != def.index()) return def;
    return it->second;
}

void PropertyBag::WriteProperty(const std::string& key, const PropertyValue& value,
                                const PropertyValue& def) {
    if (std::find(order_.begin(), order_.end(), key) == order_.end()) order_.push_back(key);
    // A font is compared by the object it is; the others by value.
    if (value == def) {
        values_.erase(key);
        return;
    }
    values_[key] = value;
}

}  // namespace host
