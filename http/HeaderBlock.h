#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vd {

// A view of a response's header block: the status line, then header lines, each ended by
// CR LF. A header is found by its name at the start of a line, without regard to ASCII letter
// case, so a name that stands inside another header's name or value is never taken for it.
// The view does not own the text; it must outlive the view.
class HeaderBlock {
public:
    explicit HeaderBlock(std::string_view raw) : raw_(raw) {}

    // The text after the colon of the first header of that name, up to its line end, as it
    // stands (blanks kept); none when no header has the name.
    std::optional<std::string_view> value(std::string_view name) const;
    // The same for every header of that name, in order.
    std::vector<std::string_view> values(std::string_view name) const;

private:
    template <class Visit>
    void forEachValue(std::string_view name, Visit visit) const;

    std::string_view raw_;
};

}  // namespace vd
