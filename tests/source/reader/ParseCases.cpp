#include "ParseCases.h"

#include "source/reader/ParsOrv.h"
#include "support/SourceTextBuilder.h"

namespace orv {

ParseOutcome ParserStatementTest::Run(uint16_t devType, const std::vector<std::string>& statements,
                                      const Prepare& prepare)
{
    return RunWith(ParserWorld(devType), devType, statements, prepare);
}

ParseOutcome ParserStatementTest::RunWith(const WorldRecipe& builder, uint16_t srcType,
                                          const std::vector<std::string>& statements, const Prepare& prepare)
{
    p.reset();
    p = builder.Build();
    if (prepare)
        prepare(*p);
    SourceTextBuilder b;
    b.Header(srcType).Begin();
    for (const auto& s : statements)
        b.Line(s);
    return ParseInto(*p, dir, b.End().Build());
}

void ParserStatementTest::ExpectRefusals(const std::vector<RefusalCase>& cases, const Prepare& prepare)
{
    for (const RefusalCase& c : cases) {
        const ParseOutcome out = Run(c.devType, c.statements, prepare);
        const std::string& line = c.statements[c.at];
        const std::string name = line + " on " + std::to_string(c.devType);
        if (c.xerror != 0) {
            EXPECT_EQ(out.error, CParsOrv::ErrXError) << name;
            EXPECT_EQ(out.xerror, c.xerror) << name;
        } else {
            EXPECT_EQ(out.error, CParsOrv::ErrSyntax) << name;
            EXPECT_EQ(out.errorText, c.text) << name;
        }
        EXPECT_EQ(out.line, 3 + c.at) << name;
        EXPECT_EQ(out.column, c.anchor.empty() ? 1 : ColumnOf(line, c.anchor)) << name;
    }
}

} // namespace orv
