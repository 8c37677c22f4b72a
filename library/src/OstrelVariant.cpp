#include "OstrelDll.h"
#include "OstrelNarrow.h"
#include "TextForms.h"

std::u16string OstrelVariant::ToText() const
{
    struct Text {
        std::u16string operator()(std::monostate) const { return {}; }
        std::u16string operator()(bool b) const { return b ? u"True" : u"False"; }
        std::u16string operator()(int32_t n) const { return OstrelNarrow::FromUtf8(std::to_string(n)); }
        std::u16string operator()(double d) const { return OstrelText::DecimalText(d); }
        std::u16string operator()(const std::u16string& s) const { return s; }
    };
    return std::visit(Text{}, value_);
}
