// What a control needs from the window that hosts it: the parent window,
// design or run mode, a property store, a default font and a place to send
// its events.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/wintypes.h"

class StdFont;

namespace host {

using PropertyValue = std::variant<int32_t, bool, std::shared_ptr<StdFont>>;

// Values stored by key; a value equal to its default need not be stored.
class PropertyBag {
public:
    PropertyValue ReadProperty(const std::string& key, const PropertyValue& def) const;
    void WriteProperty(const std::string& key, const PropertyValue& value, const PropertyValue& def);
    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    // Keys in the order they were first written.
    const std::vector<std::string>& WriteOrder() const { return order_; }

private:
    std::map<std::string, PropertyValue> values_;
    std::vector<std::string> order_;
};

class ControlHost {
public:
    HWND parent = 0;
    bool userMode = true;  // run mode; false in a designer
    std::shared_ptr<StdFont> ambientFont;
    // Told when a property changes, so that the host saves it.
    std::function<void(const std::string&)> propertyChanged;
    // Events raised by the control, by name (no host in this program handles them).
    std::function<void(const std::string& event, const std::vector<int64_t>& args)> raiseEvent;

    void PropertyChanged(const std::string& name) const {
        if (propertyChanged) propertyChanged(name);
    }
};

}  // namespace host
