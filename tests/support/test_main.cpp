#include <gtest/gtest.h>

#ifdef LEXICANT_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as CTest does to discover them) needs no application, and so no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    TestApplication app(argc, argv);
    TestApplication::setOrganizationName(QStringLiteral("LexicantTests"));
    TestApplication::setApplicationName(QStringLiteral("tests"));
    return RUN_ALL_TESTS();
}
