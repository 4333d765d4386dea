// Runs every tests/gdi/*.gdi script on our GDI and compares the canvas, the
// query answers and the warnings with what the reference GDI produced for the
// same script (tests/golden/NAME.png, .out, .err). A script may accept a
// known difference in a header line, with its reason (see testsupport::Declared).
#include "gdi_script.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> scriptNames() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(HMIGFX_GDI_SCRIPTS))
        if (e.path().extension() == ".gdi") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Answers that agree but for numbers within `within` of each other.
::testing::AssertionResult answersMatch(const std::string& ours, const std::string& ref, int within) {
    std::istringstream a(ours), b(ref);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ga = static_cast<bool>(std::getline(a, la)), gb = static_cast<bool>(std::getline(b, lb));
        if (!ga || !gb) {
            if (ga != gb) return ::testing::AssertionFailure() << "different number of answer lines";
            return ::testing::AssertionSuccess();
        }
        std::istringstream ta(la), tb(lb);
        for (std::string wa, wb;;) {
            const bool ha = static_cast<bool>(ta >> wa), hb = static_cast<bool>(tb >> wb);
            if (!ha && !hb) break;
            char *ea = nullptr, *eb = nullptr;
            const long va = ha ? std::strtol(wa.c_str(), &ea, 0) : 0, vb = hb ? std::strtol(wb.c_str(), &eb, 0) : 0;
            const bool numbers = ha && hb && !wa.empty() && !wb.empty() && !*ea && !*eb;
            if (ha != hb || (numbers ? std::labs(va - vb) > within : wa != wb))
                return ::testing::AssertionFailure() << "line " << line << ": '" << la << "' against '" << lb << "'";
        }
    }
}

class GoldenScript : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenScript, MatchesReferenceGdi) {
    const std::string name = GetParam();
    const fs::path script = fs::path(HMIGFX_GDI_SCRIPTS) / (name + ".gdi");
    const fs::path golden = fs::path(HMIGFX_GOLDEN_DIR) / name;
    const hmigfx::gdiscript::Result r = hmigfx::gdiscript::runFile(script.string());
    ASSERT_EQ(r.status, 0) << r.errors;
    const testsupport::Declared d = testsupport::declaredBy(testsupport::slurp(script));
    const std::string answers = testsupport::slurp(golden.string() + ".out");
    if (d.answers >= 0)
        EXPECT_TRUE(answersMatch(r.output, answers, d.answers)) << "query answers differ";
    else
        EXPECT_EQ(r.output, answers) << "query answers differ";
    EXPECT_EQ(r.errors, testsupport::slurp(golden.string() + ".err")) << "warnings differ";
    EXPECT_TRUE(testsupport::matchesGolden(r.image, name));
}

INSTANTIATE_TEST_SUITE_P(Scripts, GoldenScript, ::testing::ValuesIn(scriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
