// The demo company's master data.

#include "DemoCatalog.h"
#include "DemoDatabase.h"
#include "DemoSteps.h"

namespace schema::demo {

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Setting {
    const char* clave;
    const char* valor;
    const char* grupo;
};

// The keys the program reads, with the values of a small company that works in pesos with two decimals,
// a chart of six levels of 1, 1, 2, 2, 2 and 2 digits, cost centres and no article extras.
const Setting kSettings[] = {
    {"ToleranciaRedondeo", kTolerance, "CONTABILIDAD"},
    {"CantidadDecimales", "2", "GENERAL"},
    {"NOMBRE", kCompanyName, "GENERAL"},
    {"Digitos_Capitulo", "1", "CONTABILIDAD"},
    {"Digitos_SubCapitulo", "1", "CONTABILIDAD"},
    {"Digitos_Rubro", "2", "CONTABILIDAD"},
    {"Digitos_SubRubro", "2", "CONTABILIDAD"},
    {"Digitos_Cuenta", "2", "CONTABILIDAD"},
    {"Digitos_SubCuenta", "2", "CONTABILIDAD"},
    {"PlanCuentas_ClyPr", "NO", "CONTABILIDAD"},
    {"USACCOSTO", "SI", "CONTABILIDAD"},
    {"TopConsArt", "1000", "STOCK"},
    {"Top_Default", "1000", "GENERAL"},
    {"UsaConsultaLike", "SI", "GENERAL"},
    {"EXIGECLAVECONSULTALIKEARTICULOS", "NO", "GENERAL"},
    {"MostrarStockenConsultas", "SI", "STOCK"},
    {"Stk_Nivel1", "255", "STOCK"},
    {"Stk_Nivel2", "33023", "STOCK"},
    {"Stk_Nivel3", "65535", "STOCK"},
    {"Stk_Nivel4", "32768", "STOCK"},
    {"NOM_PCLASE1", "Lista minorista", "STOCK"},
    {"NOM_PCLASE2", "Lista mayorista", "STOCK"},
    {"NOM_PCLASE3", "Lista distribuidores", "STOCK"},
    {"NOM_PCLASE4", "Lista especial", "STOCK"},
    {"NOM_PCLASE5", "Precio 5", "STOCK"},
    {"NOM_PCLASE6", "Precio 6", "STOCK"},
    {"NOM_PCLASE7", "Precio 7", "STOCK"},
    {"NOM_PCLASE8", "Precio 8", "STOCK"},
    {"CFondo", "12648447", "GENERAL"},
    {"CLetra", "0", "GENERAL"},
    {"TituloClientes", "Clientes", "GENERAL"},
    {"TituloProveedores", "Proveedores", "GENERAL"},
    {"UsaMultilesMonedas", "NO", "GENERAL"},
    {"UsaFacturaProforma", "NO", "VENTAS"},
    {"USA_STK_STOCK_UDKG", "NO", "STOCK"},
    {"UNIDADDEMEDIDA_M3", "M3", "STOCK"},
    {"UNIDADDEMEDIDA_BL", "BL", "STOCK"},
    {"UNIDADDEMEDIDA_KG", "KG", "STOCK"},
    {"VALIDACODIGOBARRA", "NO", "STOCK"},
    {"ModuloOrdenDeTrabajo", "NO", "GENERAL"},
    {"V_ModificaCPrecio", "NO", "VENTAS"},
    {"C_ModificaCPrecio", "NO", "COMPRAS"},
    {"MADERERA", "NO", "GENERAL"},
    {"MaxDto", "10", "VENTAS"},
    {"MaxDtoProforma", "15", "VENTAS"},
    {"PideClave_StockNeg", "NO", "STOCK"},
    {"PideClave_MarkUpBase", "NO", "VENTAS"},
    {"PideClave_LimiteCredito", "NO", "VENTAS"},
    {"SS_BloqueoActivo", "NO", "GENERAL"},
    {"UTILIZARFECHADIA", "NO", "GENERAL"},
};

struct Account {
    const char* codigo;
    const char* descripcion;
    bool titulo;
};

const Account kChart[] = {
    {"1", "ACTIVO", true},
    {"11", "ACTIVO CORRIENTE", true},
    {"1101", "Banco cuenta corriente", false},
    {"1102", "Caja", false},
    {"1103", "DEUDORES POR VENTAS", true},
    {"1104", "CREDITOS FISCALES", true},
    {"110401", "IVA crédito fiscal", false},
    {"110402", "Retenciones y percepciones sufridas", false},
    {"1105", "Banco cuenta recaudadora", false},
    {"1106", "Banco cuenta corriente (cerrada)", false},
    {"12", "ACTIVO NO CORRIENTE", true},
    {"1201", "BIENES DE USO", true},
    {"120101", "Rodados", false},
    {"120102", "Muebles y útiles", false},
    {"2", "PASIVO", true},
    {"21", "PASIVO CORRIENTE", true},
    {"2101", "PROVEEDORES", true},
    {"2102", "DEUDAS FISCALES", true},
    {"210201", "IVA débito fiscal", false},
    {"210202", "Retenciones a depositar", false},
    {"3", "PATRIMONIO NETO", true},
    {"31", "CAPITAL Y RESULTADOS", true},
    {"3101", "Capital social", false},
    {"3102", "Resultados no asignados", false},
    {"4", "INGRESOS", true},
    {"41", "VENTAS", true},
    {"4101", "Ventas de mercaderías", false},
    {"4102", "Ventas de servicios", false},
    {"4103", "Resultados financieros", false},
    {"5", "EGRESOS", true},
    {"51", "GASTOS", true},
    {"5101", "Gastos bancarios", false},
    {"5102", "Compras de insumos", false},
    {"5103", "Alquileres", false},
    {"5104", "Combustibles y fletes", false},
};

// The optional code: the segments of the code (1, 1, 2, 2, 2, 2 digits) joined by dots.
QString dottedCode(const QString& code)
{
    static const int widths[] = {1, 1, 2, 2, 2, 2};
    QStringList segments;
    int at = 0;
    for (int width : widths) {
        if (at >= code.size())
            break;
        segments << code.mid(at, width);
        at += width;
    }
    return segments.join(QLatin1Char('.'));
}

void writeSettings(const QSqlDatabase& db)
{
    RowWriter rows(db, QStringLiteral("TA_CONFIGURACION"),
                   {QStringLiteral("CLAVE"), QStringLiteral("VALOR"), QStringLiteral("Grupo"),
                    QStringLiteral("PoliticaNegocio")});
    for (const Setting& s : kSettings)
        rows.add({text(s.clave), text(s.valor), text(s.grupo), 0});
    // The fiscal year follows the demo's dates.
    rows.add({QStringLiteral("PERIODO"), QString::number(kPeriodo), QStringLiteral("CONTABILIDAD"), 0});
}

void writeUsers(const QSqlDatabase& db)
{
    RowWriter rows(db, QStringLiteral("ta_usuarios"),
                   {QStringLiteral("nombre"), QStringLiteral("Administrador"), QStringLiteral("UNegocio"),
                    QStringLiteral("VerProforma")});
    rows.add({text(kAdminUser), 1, text(kBusinessUnit), 1});
    rows.add({text(kOperatorUser), 0, text(kBusinessUnit), 0});
}

void writeChart(const QSqlDatabase& db)
{
    RowWriter rows(db, QStringLiteral("MA_CUENTAS"),
                   {QStringLiteral("Codigo"), QStringLiteral("CodigoOpcional"), QStringLiteral("Descripcion"),
                    QStringLiteral("Titulo"), QStringLiteral("DADA_DE_BAJA"), QStringLiteral("TIPOVISTA")});
    const QVariant noView(QMetaType::fromType<QString>());
    for (const Account& a : kChart) {
        const QString code = text(a.codigo);
        const bool closed = code == QLatin1String(kClosedAccount);
        rows.add({code, dottedCode(code), text(a.descripcion), a.titulo ? 1 : 0, closed ? 1 : 0, noView});
    }
    for (const Party& p : kCustomers)
        rows.add({text(p.cuenta), dottedCode(text(p.cuenta)), text(p.nombre), 0, 0, QStringLiteral("CL")});
    for (const Party& p : kSuppliers)
        rows.add({text(p.cuenta), dottedCode(text(p.cuenta)), text(p.nombre), 0, 0, QStringLiteral("PR")});
}

void writeParties(const QSqlDatabase& db)
{
    RowWriter extra(db, QStringLiteral("MA_CUENTASADIC"), {QStringLiteral("CODIGO"), QStringLiteral("contacto")});
    RowWriter customers(db, QStringLiteral("VT_CLIENTES"),
                        {QStringLiteral("CODIGO"), QStringLiteral("RAZON_SOCIAL"), QStringLiteral("CONTACTO"),
                         QStringLiteral("Dada_De_Baja")});
    RowWriter suppliers(db, QStringLiteral("VT_PROVEEDORES"),
                        {QStringLiteral("CODIGO"), QStringLiteral("RAZON_SOCIAL"), QStringLiteral("Dada_De_Baja")});
    RowWriter contacts(db, QStringLiteral("MA_CONTACTOS"),
                       {QStringLiteral("Nombre_y_Apellido"), QStringLiteral("Domicilio"),
                        QStringLiteral("Localidad"), QStringLiteral("Telefono")});
    for (const Party& p : kCustomers) {
        extra.add({text(p.cuenta), text(p.contacto)});
        customers.add({text(p.cuenta), text(p.nombre), text(p.contacto), 0});
        contacts.add({text(p.contacto), text(p.domicilio), text(p.localidad), text(p.telefono)});
    }
    for (const Party& p : kSuppliers) {
        extra.add({text(p.cuenta), text(p.contacto)});
        suppliers.add({text(p.cuenta), text(p.nombre), 0});
        contacts.add({text(p.contacto), text(p.domicilio), text(p.localidad), text(p.telefono)});
    }
}

void writeCodeTable(const QSqlDatabase& db, const QString& table, const QStringList& columns,
                    const QList<QPair<const char*, const char*>>& rows)
{
    RowWriter writer(db, table, columns);
    for (const auto& row : rows)
        writer.add({text(row.first), text(row.second)});
}

void writeCodeTables(const QSqlDatabase& db)
{
    const QStringList codeDescription = {QStringLiteral("codigo"), QStringLiteral("descripcion")};
    const auto pairs = [](const auto& codes) {
        QList<QPair<const char*, const char*>> list;
        for (const CodeName& c : codes)
            list.append(qMakePair(c.codigo, c.descripcion));
        return list;
    };
    const auto units = pairs(kBusinessUnits);
    const auto centres = pairs(kCostCentres);
    const auto banks = pairs(kBanks);
    writeCodeTable(db, QStringLiteral("V_TA_UNIDADNEGOCIO"), codeDescription, units);
    writeCodeTable(db, QStringLiteral("TA_CCOSTO"), codeDescription, centres);
    writeCodeTable(db, QStringLiteral("V_TA_BANCOS"), {QStringLiteral("IdBanco"), QStringLiteral("DESCRIPCION")},
                   banks);

    const QList<QPair<const char*, const char*>> sales = {
        {"FC", "Factura"}, {"NC", "Nota de crédito"}, {"ND", "Nota de débito"}, {"CB", "Recibo de cobranza"}};
    const QList<QPair<const char*, const char*>> others = {
        {"FCC", "Factura de compra"}, {"NCC", "Nota de crédito de compra"}, {"PG", "Orden de pago"},
        {"AS", "Asiento manual"},     {"VJ", "Asiento de ajuste"},         {"CCCC", "Conciliación de cuentas"}};
    const QStringList codeColumns = {QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION")};
    writeCodeTable(db, QStringLiteral("TA_COMPROBANTES"), codeColumns, sales + others);
    writeCodeTable(db, QStringLiteral("VT_TA_CPTE"), codeColumns, sales + others);
    writeCodeTable(db, QStringLiteral("VT_V_TA_CPTE"), codeColumns, sales);

    writeCodeTable(db, QStringLiteral("V_TA_VENDEDORES"), {QStringLiteral("IDVENDEDOR"), QStringLiteral("NOMBRE")},
                   {{"0001", "Roberto Sánchez"}, {"0002", "Valeria Domínguez"}});
    writeCodeTable(db, QStringLiteral("V_TA_TECNICOS"), {QStringLiteral("IDTECNICO"), QStringLiteral("NOMBRE")},
                   {{"0001", "Diego Fernández"}, {"0002", "Lucía Romero"}});
    writeCodeTable(db, QStringLiteral("V_MA_MANTENIMIENTOS"), codeColumns,
                   {{"MP-01", "Mantenimiento preventivo mensual"}, {"MC-01", "Mantenimiento correctivo"}});
    writeCodeTable(db, QStringLiteral("V_TA_FAMILIAS"), {QStringLiteral("IDFAMILIA"), QStringLiteral("Descripcion")},
                   {{"01", "Librería"},
                    {"0101", "Papelería"},
                    {"0102", "Útiles de oficina"},
                    {"02", "Informática"},
                    {"0201", "Insumos de impresión"},
                    {"0202", "Periféricos"},
                    {"03", "Combustibles y lubricantes"}});
    writeCodeTable(db, QStringLiteral("MA_POSICIONES"), {QStringLiteral("IDPOSICION"), QStringLiteral("Descripcion")},
                   {{"01", "Depósito central"},
                    {"0101", "Estantería A"},
                    {"0102", "Estantería B"},
                    {"02", "Salón de ventas"},
                    {"0201", "Góndola 1"}});
}

void writePeriods(const QSqlDatabase& db)
{
    RowWriter rows(db, QStringLiteral("MV_EJERCICIOS"),
                   {QStringLiteral("periodo"), QStringLiteral("[FECHA DESDE]"), QStringLiteral("[FECHA HASTA]")});
    for (int year : {kPeriodo - 1, kPeriodo})
        rows.add({year, DateValue(QDate(year, 1, 1)), DateValue(QDate(year, 12, 31))});
}

void writeArticles(const QSqlDatabase& db)
{
    QStringList columns = {QStringLiteral("IDARTICULO"), QStringLiteral("DESCRIPCION"), QStringLiteral("SUSPENDIDO"),
                           QStringLiteral("PUNTOPEDIDO"), QStringLiteral("Stock")};
    for (int i = 1; i <= 8; ++i)
        columns << QStringLiteral("PRECIO%1").arg(i);
    RowWriter rows(db, QStringLiteral("VT_MA_ARTICULOS"), columns);
    int index = 0;
    for (const Article& a : kArticles) {
        QVariantList values = {text(a.id), text(a.descripcion), 0, AmountValue(Pesos(10)),
                               AmountValue(Pesos(25 + 17 * index++))};
        // Each price class two percent below the previous one.
        Amount price = a.precio;
        for (int i = 1; i <= 8; ++i) {
            values << AmountValue(price);
            price = RoundToCents(price * 98 / 100);
        }
        rows.add(values);
    }
}

} // namespace

void WriteMasterData(const QSqlDatabase& db)
{
    writeSettings(db);
    writeUsers(db);
    writeChart(db);
    writeParties(db);
    writeCodeTables(db);
    writePeriods(db);
    writeArticles(db);
}

} // namespace schema::demo
