#include <gtest/gtest.h>

#include <string>

#include "shell/ProductInfo.h"

namespace agendix::shell {
namespace {

// Both parts of the title are fixed-width fields: cut to their width, trailing blanks removed.
TEST(FrameTitle, JoinsProductAndVersionCutToTheirFields) {
    const struct {
        std::string product;
        std::string version;
        std::string title;
    } cases[] = {
        {"Agendix 98", "1.0", "Agendix 98 1.0"},
        {"Agendix 98" + std::string(22, ' '), "1.0  ", "Agendix 98 1.0"},
        {"Agendix 98", "1.0.12", "Agendix 98 1.0.1"},
        {std::string(40, 'A'), "2", std::string(32, 'A') + " 2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frameTitle(c.product, c.version), c.title) << c.product << "|" << c.version;
    }
}

}  // namespace
}  // namespace agendix::shell
