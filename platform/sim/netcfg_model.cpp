#include "platform/sim/netcfg_model.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace sim {

namespace {

std::u16string Trim(const std::u16string& text) {
    size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos) {
        return u"";
    }
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

// The line up to a ';' that stands outside quotes.
std::u16string WithoutComment(const std::u16string& line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == u'"') {
            quoted = !quoted;
        } else if (line[i] == u';' && !quoted) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t c : text) {
        narrow.push_back(static_cast<char>(c < 0x80 ? c : '?'));
    }
    return narrow;
}

// %name% replaced by the [Strings] value of that name; other texts stay.
std::u16string Substitute(const InfSections& inf, const std::u16string& text) {
    if (text.size() < 2 || text.front() != u'%' || text.back() != u'%') {
        return text;
    }
    std::u16string name = FoldCase(text.substr(1, text.size() - 2));
    auto strings = inf.find(u"strings");
    if (strings != inf.end()) {
        for (const auto& [key, value] : strings->second) {
            if (FoldCase(key) == name) {
                return InfFields(inf, value).front();
            }
        }
    }
    return text;
}

// A number as INF files write them (decimal or 0x hex); 0 when it is none.
uint32_t Number(const std::u16string& text) {
    std::string narrow = Narrow(text);
    return static_cast<uint32_t>(std::strtoul(narrow.c_str(), nullptr, 0));
}

// The first field of the last `key` line of `section`, if there is one.
std::optional<std::u16string> FirstField(const InfSections& inf, const std::u16string& section,
                                         const std::u16string& key) {
    auto values = InfValues(inf, section, key);
    if (!values.has_value() || values->empty()) {
        return std::nullopt;
    }
    return InfFields(inf, values->back()).front();
}

}  // namespace

std::vector<std::u16string> InfFields(const InfSections& inf, const std::u16string& value) {
    std::vector<std::u16string> fields;
    std::u16string field;
    bool quoted = false;
    auto finish = [&] {
        field = Trim(field);
        if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"') {
            field = field.substr(1, field.size() - 2);
        }
        fields.push_back(Substitute(inf, field));
        field.clear();
    };
    for (char16_t c : value) {
        if (c == u',' && !quoted) {
            finish();
            continue;
        }
        quoted = c == u'"' ? !quoted : quoted;
        field.push_back(c);
    }
    finish();
    return fields;
}

std::optional<std::vector<std::u16string>> InfValues(const InfSections& inf,
                                                     const std::u16string& section,
                                                     const std::u16string& key) {
    auto found = inf.find(FoldCase(section));
    if (found == inf.end()) {
        return std::nullopt;
    }
    std::vector<std::u16string> values;
    for (const auto& [name, value] : found->second) {
        if (FoldCase(name) == FoldCase(key)) {
            values.push_back(value);
        }
    }
    return values;
}

std::u16string FoldCase(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return text;
}

InfSections ParseInf(const std::string& bytes) {
    InfSections sections;
    std::vector<std::pair<std::u16string, std::u16string>>* section = nullptr;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end;
        std::u16string raw;
        for (size_t i = start; i < end; ++i) {
            raw.push_back(static_cast<unsigned char>(bytes[i]));  // 8-bit text
        }
        start = end + 1;
        std::u16string line = Trim(WithoutComment(raw));
        if (!line.empty() && line.back() == u'\r') {
            line = Trim(line.substr(0, line.size() - 1));
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == u'[' && line.back() == u']') {
            section = &sections[FoldCase(Trim(line.substr(1, line.size() - 2)))];
        } else if (section != nullptr) {
            size_t equals = line.find(u'=');
            if (equals == std::u16string::npos || line.find(u'"') < equals) {
                section->emplace_back(u"", line);
            } else {
                section->emplace_back(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
            }
        }
    }
    return sections;
}

DriverSetup::DriverSetup(const DriverSetupConfig& config)
    : config_(config), components_(config.components) {}

bool DriverSetup::InstallServices(const InfSections& inf, const std::u16string& section,
                                  ServiceManager& services) {
    auto added = InfValues(inf, section, u"AddService");
    if (!added.has_value()) {
        return false;
    }
    for (const std::u16string& value : *added) {
        std::vector<std::u16string> fields = InfFields(inf, value);
        ServiceConfig config;
        config.name = Narrow(fields.front());
        if (fields.size() >= 3) {
            config.type = Number(FirstField(inf, fields[2], u"ServiceType").value_or(u"1"));
            config.displayName = Narrow(FirstField(inf, fields[2], u"DisplayName").value_or(u""));
        }
        services.Add(config);
    }
    constexpr uint32_t kStopService = 0x200;  // SPSVCINST_STOPSERVICE
    for (const std::u16string& value :
         InfValues(inf, section, u"DelService").value_or(std::vector<std::u16string>{})) {
        std::vector<std::u16string> fields = InfFields(inf, value);
        uint32_t flags = fields.size() >= 2 ? Number(fields[1]) : 0;
        if (auto index = services.Find(Narrow(fields.front()))) {
            services.Delete(*index, (flags & kStopService) != 0);
        }
    }
    return true;
}

std::optional<uint32_t> DriverSetup::Failure(const std::string& call) const {
    auto found = config_.failingCalls.find(call);
    return found == config_.failingCalls.end() ? std::nullopt
                                               : std::optional<uint32_t>(found->second);
}

}  // namespace sim
