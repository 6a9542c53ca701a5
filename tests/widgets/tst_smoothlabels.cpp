// Font and user labels: tag matching, what each tag does, names and notifications.

#include "widgets/SmoothLabels.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

using T = TSmoothLabelTypes;

namespace {

TFontLabel* addFont(TFontLabels& labels, const QString& name, TColor color) {
    TFontLabel* l = labels.Add();
    l->SetName(name);
    TTextFont f;
    f.Color = color;
    l->SetFont(f);
    return l;
}

} // namespace

class TstSmoothLabels : public QObject {
    Q_OBJECT

private slots:
    void fontTags_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<quint32>("color");
        QTest::newRow("lower-case tag matches") << "<title1>abc"
                                                << "abc" << quint32(clRed);
        QTest::newRow("unknown tag stays") << "<Nothing>abc"
                                           << "<Nothing>abc" << quint32(clBlack);
        QTest::newRow("second same tag stays") << "<Title1>a<TITLE1>b"
                                               << "a<TITLE1>b" << quint32(clRed);
        QTest::newRow("later label in the list wins") << "<Text2>x<Title1>y"
                                                      << "xy" << quint32(clBlue);
        QTest::newRow("tag in the middle") << "ab<Title1>cd"
                                           << "abcd" << quint32(clRed);
    }
    void fontTags() {
        QFETCH(QString, line);
        QFETCH(QString, rest);
        QFETCH(quint32, color);
        TFontLabels labels;
        addFont(labels, QStringLiteral("Title1"), clRed);
        addFont(labels, QStringLiteral("Text2"), clBlue)->Effect()->SetBlur(40);
        TTextFont font;
        font.Color = clBlack;
        TSmoothEffect effect;
        labels.Check(line, &font, &effect);
        QCOMPARE(line, rest);
        QCOMPARE(font.Color.value, color);
        QCOMPARE(effect.Blur(), color == clBlue ? 40 : 0);
        // Font and effect may be absent: only the tags go.
        QString again = QStringLiteral("<Title1>q");
        labels.Check(again, nullptr, nullptr);
        QCOMPARE(again, QStringLiteral("q"));
    }

    void userTags_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<int>("alignment");
        const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        QTest::newRow("centre") << "<Center>认识动物"
                                << "认识动物" << int(TFlatTypes::taCenter);
        QTest::newRow("right, any case") << "<rIGHT>x"
                                         << "x" << int(TFlatTypes::taRightJustify);
        QTest::newRow("owner falls back to the user name")
            << "by <Owner>."
            << "by " + TRegistration::UserName() + "." << int(TFlatTypes::taLeftJustify);
        QTest::newRow("organization") << "<Organization>"
                                      << "" << int(TFlatTypes::taLeftJustify);
        QTest::newRow("application title") << "[<AppTitle>]"
                                           << "[Pelumo]" << int(TFlatTypes::taLeftJustify);
        QTest::newRow("date") << "<Date>" << date << int(TFlatTypes::taLeftJustify);
        QTest::newRow("own text at the tag") << "a<self>b"
                                             << "a自己b" << int(TFlatTypes::taLeftJustify);
        QTest::newRow("unknown stays") << "<Middle>x"
                                       << "<Middle>x" << int(TFlatTypes::taLeftJustify);
    }
    void userTags() {
        QFETCH(QString, line);
        QFETCH(QString, rest);
        QFETCH(int, alignment);
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Pelumo"));
        TUserLabels labels(nullptr, TRegistration{});
        labels.AddItem(QStringLiteral("Left"), QString(), T::lsLeftJustify);
        labels.AddItem(QStringLiteral("Center"), QString(), T::lsCenter);
        labels.AddItem(QStringLiteral("Right"), QString(), T::lsRightJustify);
        labels.AddItem(QStringLiteral("Owner"), QString(), T::lsRegOwner);
        labels.AddItem(QStringLiteral("Organization"), QString(), T::lsRegOrganization);
        labels.AddItem(QStringLiteral("AppTitle"), QString(), T::lsAppTitle);
        labels.AddItem(QStringLiteral("Date"), QString(), T::lsDate);
        labels.AddItem(QStringLiteral("self"), QStringLiteral("自己"), T::lsCustom);
        TFlatTypes::TAlignment align = TFlatTypes::taLeftJustify;
        labels.Check(line, align);
        QCOMPARE(line, rest);
        QCOMPARE(int(align), alignment);
    }

    void duplicateNames_data() {
        QTest::addColumn<bool>("fontLabels");
        QTest::newRow("font label renamed to another's name in other case") << true;
        QTest::newRow("user label renamed to another's name in other case") << false;
    }
    void duplicateNames() {
        QFETCH(bool, fontLabels);
        TFontLabels fonts;
        TUserLabels users(nullptr, TRegistration{});
        std::function<void(const QString&)> rename;
        std::function<QString()> name;
        if (fontLabels) {
            addFont(fonts, QStringLiteral("Title1"), clRed);
            TFontLabel* l = addFont(fonts, QStringLiteral("Text1"), clRed);
            rename = [l](const QString& n) { l->SetName(n); };
            name = [l] { return l->Name(); };
            QVERIFY(!fonts.AddItem(QStringLiteral("TITLE1"), QStringLiteral("黑体"), 9, clRed, {},
                                   false, 1, 1));
        } else {
            users.AddItem(QStringLiteral("Title1"), QString(), T::lsCustom);
            TUserLabel* l = users.AddItem(QStringLiteral("Text1"), QString(), T::lsCustom);
            rename = [l](const QString& n) { l->SetName(n); };
            name = [l] { return l->Name(); };
            QVERIFY(!users.AddItem(QStringLiteral("TITLE1"), QString(), T::lsCustom));
        }
        try {
            rename(QStringLiteral("title1"));
            QFAIL("no error");
        } catch (const EFlatError& e) {
            QCOMPARE(e.message(), QStringLiteral("Duplicate string!"));
        }
        QCOMPARE(name(), QStringLiteral("Text1"));
        // Its own name in another case is no duplicate.
        rename(QStringLiteral("TEXT1"));
        QCOMPARE(name(), QStringLiteral("TEXT1"));
    }

    void userLabelAssignCopiesEverything() {
        TUserLabels from(nullptr, TRegistration{});
        TUserLabel* source =
            from.AddItem(QStringLiteral("self"), QStringLiteral("我"), T::lsCustom);
        source->OnGetText = [](TUserLabel*, QString& text) { text += QStringLiteral("!"); };
        TUserLabels to(nullptr, TRegistration{});
        TUserLabel* copy = to.AddItem(QStringLiteral("x"), QString(), T::lsDate);
        copy->Assign(*source);
        QCOMPARE(copy->Name(), QStringLiteral("self"));
        QCOMPARE(copy->Style(), T::lsCustom);
        QCOMPARE(copy->Text(), QStringLiteral("我!"));
    }

    void changesReachTheCollection() {
        TFontLabels fonts;
        TFontLabel* l = addFont(fonts, QStringLiteral("A"), clRed);
        QSignalSpy spy(&fonts, &TFontLabels::OnChange);
        l->Effect()->SetAlpha(50);
        l->Effect()->Shadow()->SetEnabled(true);
        l->SetFont(TTextFont{});
        QCOMPARE(spy.count(), 3);
        TFontLabel* added = fonts.AddItem(QStringLiteral("B"), QStringLiteral("黑体"), 12, clYellow,
                                          fsBold | fsItalic | fsStrikeOut, true, 1, 3);
        QCOMPARE(spy.count(), 4); // one notification for the whole item
        QVERIFY(added->Font().Font.bold());
        QVERIFY(added->Font().Font.italic());
        QVERIFY(added->Font().Font.strikeOut());
        QVERIFY(!added->Font().Font.underline());
        QCOMPARE(added->Font().Font.pointSize(), 12);
        QCOMPARE(added->Effect()->Shadow()->OffsetY(), 3);

        TFontLabels copy;
        copy.Assign(fonts);
        QCOMPARE(copy.Count(), 2);
        QCOMPARE(copy.Items(1)->Name(), QStringLiteral("B"));
        QVERIFY(copy.Items(0)->Effect()->SameAs(*l->Effect()));
    }
};

QTEST_MAIN(TstSmoothLabels)
#include "tst_smoothlabels.moc"
