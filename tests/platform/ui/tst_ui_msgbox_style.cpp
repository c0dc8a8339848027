// Style numbers read into buttons, icon, default and escape answers; the Qt box built from them; the
// error dialog's text and the file-dialog filter.
#include "platform/ui/MsgBoxStyle.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTest>

using namespace ui;

class TestMsgBoxStyle : public QObject {
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("defaultAnswer");
        QTest::addColumn<int>("escapeAnswer");
        QTest::newRow("0") << 0 << QList<int>{vbOK} << 0 << int(vbOK) << int(vbOK);
        QTest::newRow("18 abort/retry/ignore critical")
            << 18 << QList<int>{vbAbort, vbRetry, vbIgnore} << int(vbCritical) << int(vbAbort) << int(vbAbort);
        QTest::newRow("Yes/No question default No") << (vbYesNo | vbQuestion | vbDefaultButton2)
                                                    << QList<int>{vbYes, vbNo} << int(vbQuestion) << int(vbNo)
                                                    << int(vbNo);
        QTest::newRow("Yes/No/Cancel third default") << (vbYesNoCancel | vbDefaultButton3)
                                                     << QList<int>{vbYes, vbNo, vbCancel} << 0 << int(vbCancel)
                                                     << int(vbCancel);
        QTest::newRow("OK/Cancel exclamation") << (vbOKCancel | vbExclamation) << QList<int>{vbOK, vbCancel}
                                               << int(vbExclamation) << int(vbOK) << int(vbCancel);
        QTest::newRow("Retry/Cancel information") << (vbRetryCancel | vbInformation)
                                                  << QList<int>{vbRetry, vbCancel} << int(vbInformation)
                                                  << int(vbRetry) << int(vbCancel);
        QTest::newRow("default beyond the buttons") << (vbOKOnly | vbDefaultButton3) << QList<int>{vbOK} << 0
                                                    << int(vbOK) << int(vbOK);
    }
    void decode()
    {
        QFETCH(int, style);
        QFETCH(QList<int>, answers);
        QFETCH(int, icon);
        QFETCH(int, defaultAnswer);
        QFETCH(int, escapeAnswer);
        const MsgBoxLayout layout = decodeMsgStyle(style);
        QCOMPARE(layout.answers, answers);
        QCOMPARE(layout.icon, icon);
        QCOMPARE(layout.defaultAnswer, defaultAnswer);
        QCOMPARE(layout.escapeAnswer, escapeAnswer);
    }

    void answerWords()
    {
        QCOMPARE(answerWord(vbOK), QString());
        QCOMPARE(answerWord(vbRetry), QString("Reintentar"));
        QCOMPARE(answerWord(vbIgnore), QString("Ignorar"));
        QCOMPARE(answerWord(vbAbort), QString("Abortar"));
        QCOMPARE(answerWord(vbCancel), QString("Cancelar"));
        QCOMPARE(answerWord(vbYes), QString("Sí"));
        QCOMPARE(answerWord(vbNo), QString("No"));
    }

    // The real box, shown offscreen and answered by clicking: default button, title and answer.
    void qtMessageBoxAnswersWithTheClickedButton()
    {
        QApplication::setApplicationDisplayName("Conciliación");
        QString title;
        QString defaultCaption;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            defaultCaption = box->defaultButton()->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == "Sí")
                    b->click();
        });
        QtDialogs qt;
        QCOMPARE(qt.MsgBox("¿Confirma?", vbYesNo | vbQuestion | vbDefaultButton2), int(vbYes));
        QCOMPARE(title, QString("Conciliación"));
        QCOMPARE(defaultCaption, QString("No"));
    }

    // A description that looks like markup is shown as the text it is.
    void qtMessageBoxShowsPlainText()
    {
        const QString texto = "Desea informar el articulo <b>Tornillo</b> <img src=\"x.png\"> & Cia?";
        Qt::TextFormat formato = Qt::RichText;
        QString mostrado;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            formato = box->textFormat();
            mostrado = box->text();
            box->buttons().first()->click();
        });
        QtDialogs qt;
        qt.MsgBox(texto, vbOKOnly);
        QCOMPARE(formato, Qt::PlainText);
        QCOMPARE(mostrado, texto);
    }

    void qtMessageBoxEscapeGivesTheEscapeAnswer()
    {
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QtDialogs qt;
        QCOMPARE(qt.ErrorDialog({5, "x", "y"}, "Inicializa"), int(vbAbort));
    }

    void errorText()
    {
        const QString text = errorDialogText({-2147217900, "Incorrect syntax", "Microsoft OLE DB"}, "Cfg");
        QVERIFY(text.contains("-2147217900"));
        QVERIFY(text.contains("Incorrect syntax"));
        QVERIFY(text.contains("Microsoft OLE DB"));
        QVERIFY(text.contains("Cfg"));
    }

    void fileFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one pair") << "Base de Datos de Microsoft Access |*.MDB" << "Base de Datos de Microsoft Access (*.MDB)";
        QTest::newRow("two pairs") << "Texto|*.txt;*.csv|Todos|*.*" << "Texto (*.txt *.csv);;Todos (*.*)";
        QTest::newRow("already Qt") << "Images (*.png)" << "Images (*.png)";
        QTest::newRow("empty") << "" << "";
    }
    void fileFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtFileFilter(filter), qt);
    }
};

QTEST_MAIN(TestMsgBoxStyle)
#include "tst_ui_msgbox_style.moc"
