// The lookup driver and its list window on the demo company database: the mask road and the road built from
// the table's columns, searching (with a quote in the typed text), choosing with Enter, a double click and
// check boxes, cancelling, and what the driver leaves behind after each lookup.
#include "BaseConsultas.h"
#include "ArchivosPrueba.h"

#include "lookup/AnchosColumnas.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/MascaraConsulta.h"
#include "platform/ui/ListView.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <stdexcept>

namespace {

// The row whose cell in the column at 1-based position `columna` begins with `texto`.
ui::ListItem fila(Lib_FrmCons3& w, int columna, const QString& texto)
{
    const int r = w.Busqueda(columna - 1, texto);
    return r == 0 ? ui::ListItem() : w.ListView1->ListItems().Item(r);
}

QStringList titulos(Lib_FrmCons3& w)
{
    QStringList t;
    for (int c = 1; c <= w.ListView1->ColumnHeaders().Count(); ++c)
        t << w.ListView1->ColumnHeaders().Item(c).Text();
    return t;
}

void teclear(QComboBox* caja, const QString& texto)
{
    caja->setFocus();
    caja->lineEdit()->clear();
    QTest::keyClicks(caja, texto);
}

void dobleClic(Lib_FrmCons3& w, const ui::ListItem& item)
{
    w.ListView1->Refresh();
    const QModelIndex indice = w.ListView1->model()->index(item.Index() - 1, 0);
    const QRect celda = w.ListView1->visualRect(indice);
    QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, celda.center());
}

} // namespace

class TstLookupLista : public QObject {
    Q_OBJECT

    BaseConsultas base;

private slots:
    void initTestCase()
    {
        QVERIFY(base.iniciar());
        QVERIFY(QFile::exists(base.archivoEnCarpeta("consultas.qxd")));
        QCOMPARE(gConsultas().gRutaMascaraConsultas, base.archivoEnCarpeta("consultas.qxd"));
        base.ejecutar("INSERT INTO VT_CLIENTES (CODIGO, RAZON_SOCIAL, CONTACTO, Dada_De_Baja) VALUES "
                      "('999', 'O''Higgins Hnos.', 'Pedro', 0), ('998', 'Baja S.A.', 'Nadie', 1)");
    }

    void maskRoadChoosesWithEnter()
    {
        ui::ScriptedDialogs d;
        QString sql, elegido;
        QStringList columnas;
        int filas = 0;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            columnas = titulos(w);
            filas = w.ListView1->ListItems().Count();
            teclear(w.CmbSearch.at(0), "distri");
            elegido = w.ListView1->SelectedItem().Text();
            QTest::keyClick(w.ListView1, Qt::Key_Return);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.CampoDevuelto = "CODIGO";
        QString busqueda;
        c.ConsultaSearch("VT_CLIENTES", nullptr, nullptr, &busqueda);
        QVERIFY(d.verifyDone());
        QCOMPARE(sql, QString(" SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES "
                              "WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"));
        QCOMPARE(columnas, (QStringList{"RAZON_SOCIAL", "CODIGO", "CONTACTO"}));
        QCOMPARE(filas, base.valor("SELECT COUNT(*) FROM VT_CLIENTES WHERE Dada_De_Baja = 0").toInt());
        QCOMPARE(busqueda, QString("RAZON_SOCIAL"));
        QCOMPARE(elegido, QString("Distribuidora del Sur S.R.L."));
        QCOMPARE(c.ValorDevuelto, QString("110302"));
        QCOMPARE(c.CampoDevuelto, QString());
        QVERIFY(!c.Checks);
    }

    void initialSearchTextSelectsTheFirstMatch()
    {
        ui::ScriptedDialogs d;
        QString caja, elegido;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            caja = w.CmbSearch.at(0)->currentText();
            elegido = w.ListView1->SelectedItem().Text();
            return 0;
        });
        QString clave = "trans";
        gConsultas().ConsultaSearch("VT_CLIENTES", nullptr, &clave);
        QVERIFY(d.verifyDone());
        QCOMPARE(caja, QString("trans"));
        QCOMPARE(elegido, QString("Transportes La Costera S.A."));
    }

    void columnsRoadChoosesWithADoubleClick()
    {
        ui::ScriptedDialogs d;
        QStringList columnas;
        bool ordenaSola = true;
        int filas = 0;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            columnas = titulos(w);
            ordenaSola = w.OrdenarPorLwv;
            filas = w.ListView1->ListItems().Count();
            dobleClic(w, fila(w, 4, "Caja"));
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.CampoDevuelto = "Codigo";
        QString where = " titulo=0 ";
        QString busqueda = "CODIGO";
        c.ConsultaSearch("MA_CUENTAS", nullptr, nullptr, &busqueda, &where);
        QVERIFY(d.verifyDone());
        QCOMPARE(columnas, (QStringList{"TIPOVISTA", "DADA_DE_BAJA", "Titulo", "Descripcion", "CodigoOpcional",
                                        "Codigo"}));
        QVERIFY(!ordenaSola);
        QCOMPARE(filas, base.valor("SELECT COUNT(*) FROM MA_CUENTAS WHERE Titulo = 0").toInt());
        QCOMPARE(where, QString(" ( titulo=0 ) "));
        QCOMPARE(busqueda, QString("Descripcion"));
        QCOMPARE(c.ValorDevuelto, QString("1102"));
    }

    void withoutMaskFileTheColumnsRoadServes()
    {
        const QString mascaras = gConsultas().gRutaMascaraConsultas;
        QVERIFY(QFile::rename(mascaras, mascaras + ".aparte"));
        ui::ScriptedDialogs d;
        QString sql;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            return 0;
        });
        gConsultas().ConsultaSearch("VT_CLIENTES");
        QVERIFY(QFile::rename(mascaras + ".aparte", mascaras));
        QVERIFY(d.verifyDone());
        // No DESCRIPCION, NOMBRE or DETALLE: the first field searches and sorts.
        QCOMPARE(sql, QString(" SELECT TOP 1000 Dada_De_Baja,CONTACTO,RAZON_SOCIAL,CODIGO FROM VT_CLIENTES "
                              "ORDER BY CODIGO"));
    }

    void missingTableIsReportedAndTheListStaysEmpty()
    {
        // Reported once when the driver learns the fields, once when the window opens the statement.
        ui::ScriptedDialogs d;
        d.expectErrorDialog(ui::vbAbort).withRoutine("AbrirRecordset");
        d.expectErrorDialog(ui::vbAbort).withRoutine("AbrirRecordset");
        QString sql;
        int filas = -1;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            filas = w.ListView1->ListItems().Count();
            return 0;
        });
        gConsultas().ConsultaSearch("NO_EXISTE");
        QVERIFY(d.verifyDone());
        QCOMPARE(sql, QString(" SELECT TOP 1000  *  FROM NO_EXISTE"));
        QCOMPARE(filas, 0);
    }

    void typedTextWithAQuoteFiltersOnTheServer()
    {
        ui::ScriptedDialogs d;
        QString sql;
        int filas = 0;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            teclear(w.CmbSearch.at(0), "O'Hig");
            QTest::keyClick(w.CmbSearch.at(0), Qt::Key_F5);
            sql = w.SQL;
            filas = w.ListView1->ListItems().Count();
            QTest::keyClick(w.ListView1, Qt::Key_Return);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.CampoDevuelto = "CODIGO";
        c.ConsultaSearch("VT_CLIENTES");
        QVERIFY(d.verifyDone());
        const QString patron = c.UsaConsultaLike() ? "'%O''Hig%'" : "'O''Hig%'";
        QVERIFY2(sql.contains("WHERE Dada_De_Baja = 0  and RAZON_SOCIAL like " + patron + " ORDER BY RAZON_SOCIAL"),
                 qPrintable(sql));
        QCOMPARE(filas, 1);
        QCOMPARE(c.ValorDevuelto, QString("999"));
    }

    // A mask's filter that ends in a line comment: the ORDER BY the statement gets and the condition F5 adds
    // after it still apply, so the list comes in order and filtered, as the engine orders and filters it.
    void maskFilterEndingInALineComment()
    {
        const QString mascaras = gConsultas().gRutaMascaraConsultas;
        const QByteArray antes = readFile(mascaras);
        lookup::MascaraConsulta m;
        m.Titulo = "CUENTAS";
        m.Tabla = "MA_CUENTAS";
        m.Campos = "|Descripcion|Codigo|";
        m.Extra = "Titulo = 0 -- solo imputables";
        QVERIFY(writeFile(mascaras, antes + lookup::CodificarMascara(m)));
        const auto columna = [this](const QString& sql) {
            QStringList valores;
            ado::Recordset rs;
            rs.Open(sql, &gDB().gCnn);
            for (; !rs.EOF(); rs.MoveNext())
                valores << rs.Fields(0).Value().toText();
            return valores;
        };
        const QStringList enOrden = columna("SELECT Descripcion FROM MA_CUENTAS WHERE Titulo = 0 ORDER BY Descripcion");
        QVERIFY(enOrden.size() > 2);
        QVERIFY(columna("SELECT Descripcion FROM MA_CUENTAS WHERE Titulo = 0") != enOrden);   // stored otherwise
        const QString patron = gConsultas().UsaConsultaLike() ? "%de%" : "Ca%";
        const QStringList filtradas = columna("SELECT Descripcion FROM MA_CUENTAS WHERE Titulo = 0 AND Descripcion "
                                              "LIKE '" + patron + "' ORDER BY Descripcion");
        QVERIFY(!filtradas.isEmpty() && filtradas.size() < enOrden.size());

        const auto lista = [](Lib_FrmCons3& w) {
            QStringList valores;
            for (int r = 1; r <= w.ListView1->ListItems().Count(); ++r)
                valores << w.ListView1->ListItems().Item(r).Text();
            return valores;
        };
        ui::ScriptedDialogs d;
        QStringList mostradas, trasF5;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            mostradas = lista(w);
            teclear(w.CmbSearch.at(0), gConsultas().UsaConsultaLike() ? "de" : "Ca");
            QTest::keyClick(w.CmbSearch.at(0), Qt::Key_F5);
            trasF5 = lista(w);
            return 0;
        });
        gConsultas().ConsultaSearch("MA_CUENTAS");
        QVERIFY(d.verifyDone());
        QVERIFY(writeFile(mascaras, antes));
        QCOMPARE(mostradas, enOrden);
        QCOMPARE(trasF5, filtradas);
    }

    // The journal has columns named with a blank and a dash: the columns road lists them and F5 filters on one.
    void columnNamesThatAreNoPlainNamesAreBracketed()
    {
        const QString asiento = base.valor("SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE CUENTA = '1101' "
                                           "ORDER BY [NUMERO ASIENTO] DESC");
        QVERIFY(!asiento.isEmpty());
        ui::ScriptedDialogs d;
        int todas = -1, filtradas = -1;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            todas = w.ListView1->ListItems().Count();
            for (QComboBox* caja : w.CmbSearch) {
                if (caja->property("Tag").toString() == "NUMERO ASIENTO") {
                    teclear(caja, asiento);
                    QTest::keyClick(caja, Qt::Key_F5);
                    filtradas = w.ListView1->ListItems().Count();
                }
            }
            return 0;
        });
        QString where = " CUENTA = '1101' ";
        gConsultas().ConsultaSearch("MV_ASIENTOS", nullptr, nullptr, nullptr, &where);
        QVERIFY(d.verifyDone());
        QCOMPARE(todas, qMin(1000, base.valor("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = '1101'").toInt()));
        const QString patron = gConsultas().UsaConsultaLike() ? "'%" + asiento + "%'" : "'" + asiento + "%'";
        QCOMPARE(filtradas, base.valor("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = '1101' AND "
                                       "[NUMERO ASIENTO] LIKE " + patron).toInt());
        QVERIFY(filtradas > 0);
    }

    void newSearchUndoesTheServerFilters()
    {
        ui::ScriptedDialogs d;
        QString inicial, despues;
        int filtradas = 0, todas = 0;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            inicial = w.SQLInicial();
            teclear(w.CmbSearch.at(1), "1103");
            QTest::keyClick(w.CmbSearch.at(1), Qt::Key_F5);
            filtradas = w.ListView1->ListItems().Count();
            QTest::mouseClick(w.CmdNueva, Qt::LeftButton);
            despues = w.SQL;
            todas = w.ListView1->ListItems().Count();
            QTest::mouseClick(w.cmdCancelar, Qt::LeftButton);
            return 0;
        });
        gConsultas().ConsultaSearch("VT_CLIENTES");
        QVERIFY(d.verifyDone());
        QCOMPARE(filtradas, base.valor("SELECT COUNT(*) FROM VT_CLIENTES WHERE CODIGO LIKE '1103%' AND "
                                       "Dada_De_Baja = 0").toInt());
        QVERIFY(todas > filtradas);
        QCOMPARE(despues, QLatin1Char(' ') + inicial);
    }

    void checkBoxesReturnTheCheckedRows()
    {
        ui::ScriptedDialogs d;
        QStringList marcadasAlCargar;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            for (int i = 1; i <= w.ListView1->ListItems().Count(); ++i)
                if (w.ListView1->ListItems().Item(i).Checked())
                    marcadasAlCargar << w.ListView1->ListItems().Item(i).Text();
            w.ListView1->setSelectedItem(fila(w, 1, "3101"));
            w.ListView1->setFocus();
            QTest::keyClick(w.ListView1, Qt::Key_Space);
            QTest::mouseClick(w.CmdAceptar, Qt::LeftButton);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.Checks = true;
        c.CampoDevuelto = "Codigo";
        // "1101" is only part of "11012": whole elements count.
        QString defecto = "11012, 1102";
        c.ConsultaSearch("select Codigo, Descripcion from MA_CUENTAS where Titulo = 0 order by Codigo", nullptr,
                         nullptr, nullptr, nullptr, nullptr, false, &defecto);
        QVERIFY(d.verifyDone());
        QCOMPARE(marcadasAlCargar, QStringList{"1102"});
        QCOMPARE(c.Valores, (QStringList{"1102", "3101"}));
        QCOMPARE(c.ValorDevuelto, QString());
        QVERIFY(!c.Checks);
    }

    void returnedColumnsAndTheCallersCollection()
    {
        ui::ScriptedDialogs d;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            w.ListView1->setSelectedItem(fila(w, 1, "1101"));
            QTest::keyClick(w.ListView1, Qt::Key_Return);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.CampoDevuelto = "Codigo";
        QStringList campos{"Descripcion", "CodigoOpcional"};
        c.ConsultaSearch("select Codigo, Descripcion, CodigoOpcional from MA_CUENTAS order by Codigo", &campos);
        QVERIFY(d.verifyDone());
        QCOMPARE(c.Valores, (QStringList{"Banco cuenta corriente", "1.1.01"}));
        QCOMPARE(c.ValorDevuelto, QString("1101"));
        QVERIFY(campos.isEmpty());
    }

    void cancelReturnsNothing()
    {
        Lib_ClsCons3& c = gConsultas();
        c.ValorDevuelto = "de antes";
        c.Valores = QStringList{"de antes"};
        ui::ScriptedDialogs d;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            w.ListView1->setSelectedItem(w.ListView1->ListItems().Item(2));
            QTest::keyClick(w.ListView1, Qt::Key_Escape);
            return 0;
        });
        c.CampoDevuelto = "CODIGO";
        c.ConsultaSearch("VT_PROVEEDORES");
        QVERIFY(d.verifyDone());
        QCOMPARE(c.ValorDevuelto, QString());
        QVERIFY(c.Valores.isEmpty());
    }

    void windowDestroyedWhileShownLeavesNoSignalBehind()
    {
        // A failure inside the lookup unwinds through the shown window: its children signal while they go.
        ui::ScriptedDialogs d;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) -> int {
            w.ListView1->header()->resizeSection(0, 200);
            throw std::runtime_error("fallo durante la consulta");
        });
        Lib_ClsCons3& c = gConsultas();
        c.CampoDevuelto = "CODIGO";
        bool lanzado = false;
        try {
            c.ConsultaSearch("VT_PROVEEDORES");
        } catch (const std::runtime_error&) {
            lanzado = true;
        }
        QVERIFY(lanzado);
        // The next lookup works as before.
        ui::ScriptedDialogs otra;
        otra.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            QTest::keyClick(w.ListView1, Qt::Key_Escape);
            return 0;
        });
        c.ConsultaSearch("VT_PROVEEDORES");
        QVERIFY(otra.verifyDone());
    }

    void maskWithoutSearchColumnShowsTheMessage()
    {
        lookup::MascaraConsulta m;
        m.Titulo = "CENTROS";
        m.Tabla = "TA_CCOSTO";
        m.Campos = "|descripcion|";
        QFile f(gConsultas().gRutaMascaraConsultas);
        QVERIFY(f.open(QIODevice::Append));
        f.write(lookup::CodificarMascara(m));
        f.close();

        Lib_ClsCons3& c = gConsultas();
        c.ValorDevuelto = "de la consulta anterior";
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK).withText("Debe configurar la consulta para esta tabla").withTitle("Aviso al operador")
            .withStyle(ui::vbInformation);
        c.CampoDevuelto = "codigo";
        c.ConsultaSearch("ta_ccosto");
        QVERIFY(d.verifyDone());
        QCOMPARE(c.ValorDevuelto, QString());
        QCOMPARE(c.CampoDevuelto, QString("codigo"));

        // With the caller's search column the one-column mask works.
        QString sql;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            return 0;
        });
        QString busqueda = "descripcion";
        c.ConsultaSearch("TA_CCOSTO", nullptr, nullptr, &busqueda);
        QVERIFY(d.verifyDone());
        QCOMPARE(sql, QString(" SELECT TOP 1000 descripcion FROM TA_CCOSTO ORDER BY descripcion"));
    }

    void callersStatementEndingWithItsTable()
    {
        ui::ScriptedDialogs d;
        QString sql, tabla;
        bool ordenada = false;
        QStringList orden;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            tabla = w.Tabla();
            ordenada = w.ListView1->Sorted();
            for (int i = 1; i <= 3; ++i)
                orden << w.ListView1->ListItems().Item(i).Text();
            return 0;
        });
        QString where = " SUSPENDIDO = 1 ";
        gConsultas().ConsultaSearch("select DESCRIPCION, IDARTICULO from V_MA_ARTICULOS", nullptr, nullptr, nullptr,
                                    &where);
        QVERIFY(d.verifyDone());
        QCOMPARE(sql, QString(" select DESCRIPCION, IDARTICULO from VT_MA_ARTICULOS"));
        QCOMPARE(tabla, QString("VT_MA_ARTICULOS"));
        QVERIFY(ordenada);
        QStringList esperado = orden;
        std::sort(esperado.begin(), esperado.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(orden, esperado);
    }

    void typingInTheListGoesToTheSearchBox()
    {
        ui::ScriptedDialogs d;
        QString texto, elegido;
        bool cajaConFoco = false;
        int claveOrden = -1, sentido = -1, indice = -1;
        QColor fondo;
        QString segunda;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            QApplication::setActiveWindow(&w);
            w.CmbSearch.at(1)->setFocus();
            indice = w.IndiceBusqueda();
            fondo = w.CmbSearch.at(1)->palette().color(QPalette::Base);
            w.ListView1->setFocus();
            QTest::keyClicks(w.ListView1, "2");
            segunda = w.CmbSearch.at(1)->currentText();
            w.CmbSearch.at(0)->setFocus();
            w.ListView1->setFocus();
            QTest::keyClicks(w.ListView1, "v");
            QTest::keyClick(w.ListView1, Qt::Key_E);
            texto = w.CmbSearch.at(0)->currentText();
            cajaConFoco = w.focusWidget() == w.CmbSearch.at(0) || w.focusWidget() == w.CmbSearch.at(0)->lineEdit();
            elegido = w.ListView1->SelectedItem().Text();
            const QHeaderView* cabecera = w.ListView1->header();
            QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                              QPoint(cabecera->sectionViewportPosition(1) + 20, cabecera->height() / 2));
            claveOrden = w.ListView1->SortKey();
            sentido = w.ListView1->SortOrder();
            return 0;
        });
        gConsultas().ConsultaSearch("V_TA_VENDEDORES");
        QVERIFY(d.verifyDone());
        QCOMPARE(indice, 1);
        QCOMPARE(fondo, QColor(Qt::cyan));
        QCOMPARE(segunda, QString("2"));
        QCOMPARE(texto, QString("VE"));
        QVERIFY(cajaConFoco);
        QCOMPARE(elegido, QString("Valeria Domínguez"));
        QCOMPARE(claveOrden, 1);
        QCOMPARE(sentido, 1);
    }

    void savedWidthsAndAlignedSearchBoxes()
    {
        QVERIFY(writeFile(base.archivoEnCarpeta(lookup::kArchivoAnchos), "\"VT_PROVEEDORES\",\"3000|1500|\"\r\n"));
        ui::ScriptedDialogs d;
        double ancho1 = 0, ancho2 = 0;
        int cajaX = -1, columnaX = -2, cajaAncho = 0, columnaAncho = 0;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            ancho1 = w.ListView1->ColumnHeaders().Item(1).Width();
            ancho2 = w.ListView1->ColumnHeaders().Item(2).Width();
            const QHeaderView* cabecera = w.ListView1->header();
            cajaX = w.CmbSearch.at(1)->x();
            columnaX = w.ListView1->viewport()->x() + cabecera->sectionViewportPosition(1);
            cajaAncho = w.CmbSearch.at(1)->width();
            columnaAncho = cabecera->sectionSize(1);
            // A caller that asks for it keeps the widths the operator left.
            w.GrabarCfg = true;
            w.ListView1->ColumnHeaders().Item(2).setWidth(2400);
            return 0;
        });
        gConsultas().ConsultaSearch("VT_PROVEEDORES");
        QVERIFY(d.verifyDone());
        QCOMPARE(readFile(base.archivoEnCarpeta(lookup::kArchivoAnchos)),
                 QByteArray("\"VT_PROVEEDORES\",\"3000|2400|\"\r\n"));
        QFile::remove(base.archivoEnCarpeta(lookup::kArchivoAnchos));
        QCOMPARE(ancho1, 3000.0);
        QCOMPARE(ancho2, 1500.0);
        QCOMPARE(cajaX, columnaX);
        QVERIFY(cajaAncho < columnaAncho && cajaAncho > columnaAncho - 10);
    }

    void missingArticleIsWrittenQuoted()
    {
        base.ejecutar("INSERT INTO VT_MA_ARTICULOS (IDARTICULO, DESCRIPCION, SUSPENDIDO, PUNTOPEDIDO, Stock) VALUES "
                      "('T''14', 'Tornillo 1/4'' x 2', 0, 10, 3)");
        Lib_ClsCons3& c = gConsultas();
        c.MuestraStock = "si";
        c.StkNivel2 = "16711680";
        c.StkNivel3 = "255";
        ui::ScriptedDialogs d;
        qint32 colorBajo = 0, colorAlto = 0;
        bool negrita = false;
        QString tituloPrecio;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            tituloPrecio = w.ListView1->ColumnHeaders().Item(5).Text();
            const ui::ListItem bajo = fila(w, 1, "Tornillo");
            colorBajo = bajo.ListSubItems(1).ForeColor();
            negrita = bajo.Bold();
            colorAlto = w.ListView1->ListItems().Item(1).ForeColor();
            w.ListView1->setSelectedItem(bajo);
            QTest::keyClick(w.ListView1, Qt::Key_F12);
            QTest::mouseClick(w.cmdCancelar, Qt::LeftButton);
            return 0;
        });
        d.expectMsgBox(ui::vbYes)
            .withText("Desea informar el articulo T'14 Tornillo 1/4' x 2\r\ncomo un faltante de stock?")
            .withTitle("Atención!");
        c.ConsultaSearch("select DESCRIPCION, IDARTICULO, PUNTOPEDIDO, Stock, precio2 from STK_MA_ARTICULOS");
        QVERIFY(d.verifyDone());
        c.MuestraStock.clear();
        QCOMPARE(tituloPrecio, QString("Lista mayorista"));
        QCOMPARE(colorBajo, 255);
        QVERIFY(negrita);
        QCOMPARE(colorAlto, 16711680);
        QCOMPARE(base.valor("SELECT Descripcion FROM V_MV_FALTANTES"), QString("Tornillo 1/4' x 2"));
        QCOMPARE(base.valor("SELECT IdArticulo || '|' FROM V_MV_FALTANTES"), QString("T'14").leftJustified(25) + "|");
        QCOMPARE(base.valor("SELECT Usuario FROM V_MV_FALTANTES"), gDB().gUsuario);
        QCOMPARE(base.valor("SELECT COUNT(*) FROM V_MV_FALTANTES WHERE FechaHora >= '" +
                            QDate::currentDate().toString("dd/MM/yyyy") + "'"),
                 QString("1"));
    }

    void quantitiesKeys()
    {
        ui::ScriptedDialogs d;
        QStringList cantidades;
        QList<bool> marcas;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            ui::ListItem item = w.ListView1->ListItems().Item(1);
            w.ListView1->setSelectedItem(item);
            QTest::keyClick(w.ListView1, Qt::Key_Insert);
            cantidades << item.SubItems(1);
            marcas << item.Checked();
            QTest::keyClick(w.ListView1, Qt::Key_Insert, Qt::ShiftModifier);
            cantidades << item.SubItems(1);
            item.setSubItems(1, "1");
            QTest::keyClick(w.ListView1, Qt::Key_Delete);
            cantidades << item.SubItems(1);
            marcas << item.Checked();
            return 0;
        });
        d.expectInput("7").withTitle("Carga de Datos");
        Lib_ClsCons3& c = gConsultas();
        c.UsaCantidades = true;
        c.ConsultaSearch("select DESCRIPCION, 2 as Cantidad from VT_MA_ARTICULOS");
        c.UsaCantidades = false;
        QVERIFY(d.verifyDone());
        QCOMPARE(cantidades, (QStringList{"3.0", "7.00", "0.00"}));
        QCOMPARE(marcas, (QList<bool>{true, false}));
    }

    void optionPickers()
    {
        ui::ScriptedDialogs d;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            QTest::mouseClick(w.CmdAceptar, Qt::LeftButton);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        QCOMPARE(c.CheckOpciones("Columnas", nullptr, {"1Fecha", "0Importe", "1Detalle"}), QString());
        QCOMPARE(c.Valores, (QStringList{"Fecha", "Detalle"}));
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            w.ListView1->setSelectedItem(w.ListView1->ListItems().Item(2));
            QTest::keyClick(w.ListView1, Qt::Key_Return);
            return 1;
        });
        QCOMPARE(c.MenuOpciones("Orden", {"Fecha", "Importe"}), QString("Importe"));
        QVERIFY(d.verifyDone());
    }

    void emptyResultKeepsColumnsAndSearchBoxes()
    {
        ui::ScriptedDialogs d;
        int filas = -1;
        QStringList campos;
        bool cajasVisibles = false;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            filas = w.ListView1->ListItems().Count();
            cajasVisibles = w.CmbSearch.size() >= 2 && !w.CmbSearch.at(0)->isHidden() && !w.CmbSearch.at(1)->isHidden();
            for (int i = 0; i < w.ListView1->ColumnHeaders().Count() && i < w.CmbSearch.size(); ++i)
                campos << w.CmbSearch.at(i)->property("Tag").toString();
            // Nothing to choose: accepting hands nothing back.
            QTest::mouseClick(w.CmdAceptar, Qt::LeftButton);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.CampoDevuelto = "Codigo";
        c.ConsultaSearch("select Codigo, Descripcion from MA_CUENTAS where Codigo = 'no hay tal cuenta'");
        QVERIFY(d.verifyDone());
        QCOMPARE(filas, 0);
        QCOMPARE(campos, (QStringList{"Codigo", "Descripcion"}));
        QVERIFY(cajasVisibles);
        QCOMPARE(c.ValorDevuelto, QString());
    }

    void typeAheadKeepsTheSelectionWithoutAMatch()
    {
        ui::ScriptedDialogs d;
        QString conPrefijo, sinCoincidencia, vacia, primera;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            primera = w.ListView1->ListItems().Item(1).Text();
            teclear(w.CmbSearch.at(0), "TRANS");
            conPrefijo = w.ListView1->SelectedItem().Text();
            QTest::keyClicks(w.CmbSearch.at(0), "zzz");
            sinCoincidencia = w.ListView1->SelectedItem().Text();
            w.CmbSearch.at(0)->lineEdit()->clear();
            vacia = w.ListView1->SelectedItem().Text();
            return 0;
        });
        gConsultas().ConsultaSearch("VT_CLIENTES");
        QVERIFY(d.verifyDone());
        QCOMPARE(conPrefijo, QString("Transportes La Costera S.A."));
        QCOMPARE(sinCoincidencia, conPrefijo);
        QCOMPARE(vacia, primera);
    }

    // Each header click turns the list's order: descending after an ascending list, then ascending again.
    void headerClicksTurnTheOrder()
    {
        ui::ScriptedDialogs d;
        QStringList bajando, subiendo;
        int clave = -1;
        const auto clic = [](Lib_FrmCons3& w, int columna) {
            const QHeaderView* cabecera = w.ListView1->header();
            QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                              QPoint(cabecera->sectionViewportPosition(columna) + 5, cabecera->height() / 2));
        };
        const auto columna = [](Lib_FrmCons3& w, int c) {
            QStringList s;
            for (int i = 1; i <= w.ListView1->ListItems().Count(); ++i)
                s << (c == 0 ? w.ListView1->ListItems().Item(i).Text() : w.ListView1->ListItems().Item(i).SubItems(c));
            return s;
        };
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            clic(w, 0);
            bajando = columna(w, 0);
            clic(w, 1);
            clave = w.ListView1->SortKey();
            subiendo = columna(w, 1);
            return 0;
        });
        gConsultas().ConsultaSearch("select Descripcion, Codigo from MA_CUENTAS where Titulo = 0 order by Codigo");
        QVERIFY(d.verifyDone());
        const auto sinCaso = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; };
        QVERIFY(bajando.size() > 2);
        QVERIFY(std::is_sorted(bajando.rbegin(), bajando.rend(), sinCaso));
        QVERIFY(!std::is_sorted(bajando.begin(), bajando.end(), sinCaso));
        QCOMPARE(clave, 1);
        QVERIFY(std::is_sorted(subiendo.begin(), subiendo.end(), sinCaso));
    }

    void checkBoxesWithoutAColumnReturnTheFirstColumn()
    {
        ui::ScriptedDialogs d;
        QStringList esperado;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            ui::ListItemCollection& items = w.ListView1->ListItems();
            items.Item(3).setChecked(true);
            items.Item(1).setChecked(true);
            esperado << items.Item(1).Text() << items.Item(3).Text();
            QTest::mouseClick(w.CmdAceptar, Qt::LeftButton);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.Checks = true;
        c.CampoDevuelto.clear();
        c.ConsultaSearch("select Descripcion, Codigo from MA_CUENTAS where Titulo = 0 order by Codigo");
        QVERIFY(d.verifyDone());
        QCOMPARE(esperado.size(), 2);
        QCOMPARE(c.Valores, esperado);
    }

    void articlesWithoutStockFieldsStayPlain()
    {
        Lib_ClsCons3& c = gConsultas();
        const QStringList niveles{c.StkNivel1, c.StkNivel2, c.StkNivel3, c.StkNivel4};
        c.MuestraStock = "SI";
        c.StkNivel1 = c.StkNivel2 = c.StkNivel3 = c.StkNivel4 = "255";
        ui::ScriptedDialogs d;
        int filas = 0, destacadas = 0;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            filas = w.ListView1->ListItems().Count();
            for (int i = 1; i <= filas; ++i) {
                const ui::ListItem item = w.ListView1->ListItems().Item(i);
                if (item.Bold() || item.ListSubItems(1).Bold() || item.ListSubItems(1).ForeColor() == 255)
                    ++destacadas;
            }
            return 0;
        });
        c.ConsultaSearch("select DESCRIPCION, IDARTICULO from VT_MA_ARTICULOS");
        c.MuestraStock.clear();
        c.StkNivel1 = niveles.at(0);
        c.StkNivel2 = niveles.at(1);
        c.StkNivel3 = niveles.at(2);
        c.StkNivel4 = niveles.at(3);
        QVERIFY(d.verifyDone());
        QVERIFY(filas > 0);
        QCOMPARE(destacadas, 0);
    }

    void f12OutsideArticlesDoesNothing()
    {
        const QString antes = base.valor("SELECT COUNT(*) FROM V_MV_FALTANTES");
        ui::ScriptedDialogs d;
        bool abierta = false;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            w.ListView1->setSelectedItem(w.ListView1->ListItems().Item(1));
            QTest::keyClick(w.ListView1, Qt::Key_F12);
            abierta = w.isVisible();
            return 0;
        });
        gConsultas().ConsultaSearch("VT_CLIENTES");
        QVERIFY(d.verifyDone());   // no question asked
        QVERIFY(abierta);
        QCOMPARE(base.valor("SELECT COUNT(*) FROM V_MV_FALTANTES"), antes);
    }
};

QTEST_MAIN(TstLookupLista)
#include "tst_lookup_lista.moc"
