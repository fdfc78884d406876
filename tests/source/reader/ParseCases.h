#pragma once

#include "support/ParseRun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orv {

// One refused statement sequence: the panel, the statements between BEGIN
// and END, what is refused (an xerror, or the error text when it is 0) and
// where: the statement's index and the text at whose last occurrence in
// that line the column stands (empty: column 1).
struct RefusalCase {
    RefusalCase(uint16_t devType, std::vector<std::string> statements, uint16_t xerror, size_t at,
                std::string anchor, std::string text = {})
        : devType(devType), statements(std::move(statements)), xerror(xerror), at(at), anchor(std::move(anchor)),
          text(std::move(text))
    {
    }

    uint16_t devType;
    std::vector<std::string> statements;
    uint16_t xerror;
    size_t at;
    std::string anchor;
    std::string text;
};

// Reads statements into a project of the panel, which the file names too.
class ParserStatementTest : public ::testing::Test {
protected:
    using Prepare = std::function<void(ProjectWorld&)>;

    ParseOutcome Run(uint16_t devType, const std::vector<std::string>& statements, const Prepare& prepare = {});
    // As Run, with the project that the builder makes.
    ParseOutcome RunWith(const WorldRecipe& builder, uint16_t srcType,
                         const std::vector<std::string>& statements, const Prepare& prepare = {});
    // Each case in a project of its own; every refusal checked.
    void ExpectRefusals(const std::vector<RefusalCase>& cases, const Prepare& prepare = {});

    TempDir dir;
    std::unique_ptr<ProjectWorld> p;
};

} // namespace orv
