#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "script/KeyCodesListing.h"

namespace agendix::script {
namespace {

TEST(KeyCodesListing, ListsEveryNameWithWhatItPresses) {
    const std::string listing = keyCodesListing();
    std::map<std::string, std::string> listed;
    const std::regex entry("([A-Z0-9]+) {2,}(\\S.*)");
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 80u) << line;
        std::smatch match;
        if (std::regex_match(line, match, entry)) {
            EXPECT_TRUE(listed.emplace(match[1], match[2]).second) << "twice: " << line;
        }
    }
    EXPECT_EQ(listed.size(), 623u);
    for (const KeyName& name : KeyNameTable::standard().names()) {
        SCOPED_TRACE(name.name);
        EXPECT_EQ(listed[name.name], describeKeyCode(name.code));
    }
    EXPECT_EQ(listed["CTRLALTDELETE"], "Ctrl+Alt+Delete");
    EXPECT_NE(listing.find("\nCTRLALTDELETE           Ctrl+Alt+Delete\n"), std::string::npos);
}

}  // namespace
}  // namespace agendix::script
