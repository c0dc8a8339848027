// Key codes and shift masks as the key handlers test them; twips and BGR colours.
#include "platform/ui/Keys.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QTest>

using namespace ui;

class TestKeysUnits : public QObject {
    Q_OBJECT
private slots:
    void keyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        const int none = Qt::NoModifier;
        const int pad = Qt::KeypadModifier;
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << 13;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << pad << 13;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << 27;
        QTest::newRow("Space") << int(Qt::Key_Space) << none << 32;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 9;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 8;
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << none << 33;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << none << 34;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << 38;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << 39;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << 45;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 46;
        QTest::newRow("0") << int(Qt::Key_0) << none << 48;
        QTest::newRow("9") << int(Qt::Key_9) << none << 57;
        QTest::newRow("keypad 1") << int(Qt::Key_1) << pad << 97;
        QTest::newRow("A") << int(Qt::Key_A) << none << 65;
        QTest::newRow("shifted F") << int(Qt::Key_F) << int(Qt::ShiftModifier) << 70;
        QTest::newRow("Z") << int(Qt::Key_Z) << none << 90;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << 112;
        QTest::newRow("F3") << int(Qt::Key_F3) << none << 114;
        QTest::newRow("F5") << int(Qt::Key_F5) << none << 116;
        QTest::newRow("F9") << int(Qt::Key_F9) << none << 120;
        QTest::newRow("F12") << int(Qt::Key_F12) << none << 123;
        QTest::newRow("Cancel") << int(Qt::Key_Cancel) << none << 3;
        QTest::newRow("Ctrl+Pause is Cancel") << int(Qt::Key_Pause) << int(Qt::ControlModifier) << 3;
        QTest::newRow("Pause") << int(Qt::Key_Pause) << none << 19;
        QTest::newRow("keypad minus") << int(Qt::Key_Minus) << pad << 109;
        QTest::newRow("unknown key") << int(Qt::Key_LaunchMail) << none << 0;
    }
    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(LegacyKeyCode(event), code);
    }

    void shiftMasks_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("mask");
        QTest::newRow("none") << int(Qt::NoModifier) << 0;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << 1;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << 2;
        QTest::newRow("alt") << int(Qt::AltModifier) << 4;
        QTest::newRow("ctrl+shift") << int(Qt::ControlModifier | Qt::ShiftModifier) << 3;
        QTest::newRow("keypad only") << int(Qt::KeypadModifier) << 0;
    }
    void shiftMasks()
    {
        QFETCH(int, modifiers);
        QFETCH(int, mask);
        QCOMPARE(LegacyShift(Qt::KeyboardModifiers(modifiers)), mask);
    }

    void twips()
    {
        QCOMPARE(TwipsToPx(1440), 96);
        QCOMPARE(TwipsToPx(0), 0);
        QCOMPARE(TwipsToPx(22), 1);
        QCOMPARE(PxToTwips(96), 1440.0);
        QCOMPARE(TwipsToPx(PxToTwips(123)), 123);
    }

    void colours_data()
    {
        QTest::addColumn<qint32>("bgr");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red 255") << qint32(255) << QColor(255, 0, 0);
        QTest::newRow("blue &HFF0000") << qint32(0xFF0000) << QColor(0, 0, 255);
        QTest::newRow("navy &H800000") << qint32(0x800000) << QColor(0, 0, 128);
        QTest::newRow("cyan &HFFFF00") << qint32(0xFFFF00) << QColor(0, 255, 255);
        QTest::newRow("white") << qint32(0xFFFFFF) << QColor(255, 255, 255);
        QTest::newRow("black") << qint32(0) << QColor(0, 0, 0);
    }
    void colours()
    {
        QFETCH(qint32, bgr);
        QFETCH(QColor, colour);
        QCOMPARE(FromBgr(bgr), colour);
        QCOMPARE(ToBgr(colour), bgr);
    }

    void systemColours()
    {
        const QPalette palette = QGuiApplication::palette();
        QCOMPARE(FromBgr(qint32(0x8000000F)), palette.color(QPalette::Button));
        QCOMPARE(FromBgr(qint32(0x80000005)), palette.color(QPalette::Base));
        QCOMPARE(FromBgr(qint32(0x80000008)), palette.color(QPalette::Text));
    }
};

QTEST_MAIN(TestKeysUnits)
#include "tst_ui_keys_units.moc"
