#include "app/shell/StartupError.h"

#include "app/shell/ErrorInfo.h"
#include "app/shell/ShellFixture.h"

#include "app/Errors.h"

namespace {

TEST(StartupError, TextNamesClassModuleAddressAndMessage)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a made-up address that is only printed, never dereferenced.
    const auto* address = reinterpret_cast<const void*>(std::uintptr_t{0x4A2F10});
    const QString hex = QString(2 * sizeof(void*) - 6, u'0') + "4A2F10";
    EXPECT_EQ(StartupErrorText({"EOverflow", "Überlauf bei Gleitkomma-Operation"}, "kelvaro", address),
              "Exception EOverflow im Modul kelvaro bei " + hex + ".\nÜberlauf bei Gleitkomma-Operation.");
    // No second full stop, and placeholders inside the message stay text.
    EXPECT_EQ(StartupErrorText({"Exception", "Fenster %1 fehlt."}, "kelvaro", address),
              "Exception Exception im Modul kelvaro bei " + hex + ".\nFenster %1 fehlt.");
}

TEST(StartupError, DescribesTheErrorBeingHandled)
{
    struct TCase {
        std::function<void()> Raise;
        const char* ClassName;
        const char* Message;
    };
    const TCase cases[] = {
        {[] { throw EConvertError("'a' ist kein gültiger Integerwert"); }, "EConvertError",
         "'a' ist kein gültiger Integerwert"},
        {[] { throw std::bad_alloc(); }, "EOutOfMemory", "Speicher reicht nicht aus"},
        {[] { throw std::runtime_error("roh"); }, "Exception", "roh"},
    };
    for (const TCase& c : cases) {
        try {
            c.Raise();
        } catch (...) {
            const TErrorInfo info = DescribeCurrentException();
            EXPECT_EQ(info.ClassName, c.ClassName);
            EXPECT_EQ(info.Message, QString::fromUtf8(c.Message));
            EXPECT_FALSE(info.Silent);
        }
    }
}

TEST(StartupError, BoxIsCaptionedAnwendungsfehler)
{
    std::vector<TShownMessage> shown;
    TRecordingPresenter presenter(shown);
    TApplication application;  // the recorder reads the take-out counter
    try {
        throw EZeroDivide(kZeroDivideMessage);
    } catch (...) {
        ShowStartupError(presenter, nullptr);
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Caption, "Anwendungsfehler");
    EXPECT_EQ(shown[0].Icon, QMessageBox::Critical);
    EXPECT_TRUE(shown[0].Text.startsWith("Exception EZeroDivide im Modul shell_tests bei "));
    EXPECT_TRUE(shown[0].Text.endsWith(".\nGleitkommadivision durch Null."));
}

}  // namespace
