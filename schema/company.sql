-- The company database of the accounting suite, as this program reads and writes it, for the embedded engine.
--
-- Conventions:
--   text      VARCHAR(n) COLLATE TSQLTEXT   (no regard to case, trailing blanks ignored, as the suite's server)
--   dates     DATETIME COLLATE TSQLDATE     (ISO text 'yyyy-mm-dd hh:mm:ss'; compares with 'dd/mm/yyyy' literals)
--   amounts   NUMERIC(18,4)                 (read back exactly, four decimals)
--   flags     INTEGER 0/1
-- The suite's views that this program writes to (V_MV_CTROL_CPTE, V_MV_FALTANTES) are tables here, and so are
-- the balance and cost-centre views it reads (filled from the journal by the data generator); the "SS_"
-- synonyms that non-administrators read through are views.
-- The collations must be registered on the connection before this script runs.

-- Configuration and users -------------------------------------------------------------------------------------

CREATE TABLE TA_CONFIGURACION (
    CLAVE           VARCHAR(50)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    VALOR           VARCHAR(255) COLLATE TSQLTEXT,
    ValorAux        VARCHAR(255) COLLATE TSQLTEXT,
    PoliticaNegocio INTEGER NOT NULL DEFAULT 0,
    Grupo           VARCHAR(50)  COLLATE TSQLTEXT
);

CREATE TABLE ta_usuarios (
    nombre        VARCHAR(50) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    Administrador INTEGER NOT NULL DEFAULT 0,
    UNegocio      VARCHAR(4)  COLLATE TSQLTEXT,
    VerProforma   INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE CONTROL_ACCESO (
    ID     INTEGER PRIMARY KEY AUTOINCREMENT,
    EGRESO DATETIME COLLATE TSQLDATE
);

-- Chart of accounts, periods, units, centres, banks, voucher types --------------------------------------------

CREATE TABLE MA_CUENTAS (
    Codigo         VARCHAR(15) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    CodigoOpcional VARCHAR(15) COLLATE TSQLTEXT,
    Descripcion    VARCHAR(60) COLLATE TSQLTEXT,
    Titulo         INTEGER NOT NULL DEFAULT 0,
    DADA_DE_BAJA   INTEGER NOT NULL DEFAULT 0,
    TIPOVISTA      VARCHAR(2)  COLLATE TSQLTEXT
);
CREATE INDEX IX_MA_CUENTAS_CodigoOpcional ON MA_CUENTAS (CodigoOpcional);

-- Only the columns named here: the viewers join it with unqualified column names.
CREATE TABLE MA_CUENTASADIC (
    CODIGO   VARCHAR(15) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    contacto VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE MV_EJERCICIOS (
    periodo        INTEGER NOT NULL PRIMARY KEY,
    [FECHA DESDE]  DATETIME COLLATE TSQLDATE,
    [FECHA HASTA]  DATETIME COLLATE TSQLDATE
);

CREATE TABLE V_TA_UNIDADNEGOCIO (
    codigo      VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    descripcion VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE TA_CCOSTO (
    codigo      VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    descripcion VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE V_TA_BANCOS (
    IdBanco     VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE TA_COMPROBANTES (
    CODIGO      VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE VT_TA_CPTE (
    CODIGO      VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE VT_V_TA_CPTE (
    CODIGO      VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(60) COLLATE TSQLTEXT
);

-- Journal -----------------------------------------------------------------------------------------------------

CREATE TABLE MV_ASIENTOS (
    CUENTA                 VARCHAR(15)  COLLATE TSQLTEXT NOT NULL,
    SECUENCIA              INTEGER NOT NULL,
    MES_OPERATIVO          INTEGER NOT NULL,
    [NUMERO ASIENTO]       INTEGER NOT NULL,
    PERIODO                INTEGER NOT NULL,
    TIPO_REG               VARCHAR(2)   COLLATE TSQLTEXT NOT NULL,
    FECHA                  DATETIME     COLLATE TSQLDATE NOT NULL,
    VENCIMIENTO            DATETIME     COLLATE TSQLDATE,
    TC                     VARCHAR(4)   COLLATE TSQLTEXT,
    SUCURSAL               VARCHAR(4)   COLLATE TSQLTEXT,
    NUMERO                 VARCHAR(8)   COLLATE TSQLTEXT,
    LETRA                  VARCHAR(1)   COLLATE TSQLTEXT,
    [DEBE-HABER]           VARCHAR(1)   COLLATE TSQLTEXT NOT NULL,
    IMPORTE                NUMERIC(18,4) NOT NULL DEFAULT 0,
    DETALLE                VARCHAR(100) COLLATE TSQLTEXT,
    TC_ORIGEN              VARCHAR(4)   COLLATE TSQLTEXT,
    CPTE_ORIGEN            VARCHAR(13)  COLLATE TSQLTEXT,
    UNEGOCIO               VARCHAR(4)   COLLATE TSQLTEXT,
    USUARIO_LOGEADO        VARCHAR(50)  COLLATE TSQLTEXT,
    CABCUENTA              VARCHAR(15)  COLLATE TSQLTEXT,
    NROCOMPROBANTEBANCARIO VARCHAR(20)  COLLATE TSQLTEXT,
    IDBANCO                VARCHAR(4)   COLLATE TSQLTEXT,
    ESRESUMEN              INTEGER NOT NULL DEFAULT 0,
    LIVA_TIPO              VARCHAR(10)  COLLATE TSQLTEXT,
    LIVA_ImpNetoGrav       NUMERIC(18,4),
    LIVA_ImpNetoNGrav      NUMERIC(18,4),
    Liva_Exento            NUMERIC(18,4),
    Liva_ImpIva            NUMERIC(18,4),
    Liva_ImpIvaRec         NUMERIC(18,4),
    LIVA_Ret_Perc          NUMERIC(18,4),
    LIVA_Ret_IBtos         NUMERIC(18,4),
    LIVA_Ret_Ganancias     NUMERIC(18,4),
    Liva_Total             NUMERIC(18,4),
    Liva_ImpIva2           NUMERIC(18,4),
    Liva_ImpIva3           NUMERIC(18,4),
    LIVA_ImpIVA4           NUMERIC(18,4),
    LIVA_IMPIVA1TERCEROS   NUMERIC(18,4),
    LIVA_IMPIVA2TERCEROS   NUMERIC(18,4),
    liva_aliciva           NUMERIC(18,4),
    liva_aliciva2          NUMERIC(18,4),
    liva_aliciva3          NUMERIC(18,4),
    liva_aliciva4          NUMERIC(18,4),
    liva_alicivaREC        NUMERIC(18,4),
    LIVA_ALICIVA1TERCEROS  NUMERIC(18,4),
    LIVA_ALICIVA2TERCEROS  NUMERIC(18,4)
);
-- A journal line is known everywhere by its key (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO,
-- TIPO_REG); the entry's columns come first so that the same index finds an entry's lines.
CREATE UNIQUE INDEX UX_MV_ASIENTOS_Linea
    ON MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, CUENTA, SECUENCIA);
-- The workbench's panel query: one account, one side, a date range.
CREATE INDEX IX_MV_ASIENTOS_CuentaLado ON MV_ASIENTOS (CUENTA, [DEBE-HABER], FECHA);
-- The viewers and the tax-book check: a voucher's lines.
CREATE INDEX IX_MV_ASIENTOS_Comprobante ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, SECUENCIA);

CREATE TABLE MV_ASIENTOSCCOSTO (
    PERIODO          INTEGER NOT NULL,
    MES_OPERATIVO    INTEGER NOT NULL,
    [NUMERO ASIENTO] INTEGER NOT NULL,
    TIPO_REG         VARCHAR(2)  COLLATE TSQLTEXT NOT NULL,
    SECUENCIA        INTEGER NOT NULL,
    Cuenta           VARCHAR(15) COLLATE TSQLTEXT NOT NULL,
    CCosto           VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    Porcentaje       NUMERIC(18,4),
    Importe          NUMERIC(18,4),
    PRIMARY KEY (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, SECUENCIA)
);

-- Balance and cost-centre views of the suite (tables here; derived from the journal by the generator) ----------

-- One row per account (of every level), day and business unit: the signed balance, debit above zero.
CREATE TABLE ve_saldosctaAC (
    cuenta        VARCHAR(15) COLLATE TSQLTEXT NOT NULL,
    descripcion   VARCHAR(60) COLLATE TSQLTEXT,
    saldo         NUMERIC(18,4),
    fecha         DATETIME    COLLATE TSQLDATE,
    unidadnegocio VARCHAR(4)  COLLATE TSQLTEXT
);
CREATE INDEX IX_ve_saldosctaAC_Cuenta ON ve_saldosctaAC (cuenta, fecha);

CREATE TABLE VE_SALDOSCTAAC_CCosto (
    cuenta        VARCHAR(15) COLLATE TSQLTEXT NOT NULL,
    saldo         NUMERIC(18,4),
    fecha         DATETIME    COLLATE TSQLDATE,
    unidadnegocio VARCHAR(4)  COLLATE TSQLTEXT,
    CCosto        VARCHAR(4)  COLLATE TSQLTEXT,
    descripcionCC VARCHAR(60) COLLATE TSQLTEXT
);
CREATE INDEX IX_VE_SALDOSCTAAC_CCosto_Cuenta ON VE_SALDOSCTAAC_CCosto (cuenta, CCosto);

CREATE TABLE VT_Asientos_CCosto (
    cuenta       VARCHAR(15)  COLLATE TSQLTEXT NOT NULL,
    fecha        DATETIME     COLLATE TSQLDATE,
    tc           VARCHAR(4)   COLLATE TSQLTEXT,
    sucursal     VARCHAR(4)   COLLATE TSQLTEXT,
    numero       VARCHAR(8)   COLLATE TSQLTEXT,
    letra        VARCHAR(1)   COLLATE TSQLTEXT,
    detalle      VARCHAR(100) COLLATE TSQLTEXT,
    ccosto       VARCHAR(4)   COLLATE TSQLTEXT,
    [DEBE-HABER] VARCHAR(1)   COLLATE TSQLTEXT,
    importe      NUMERIC(18,4),
    importecc    NUMERIC(18,4),
    porcentaje   NUMERIC(18,4),
    unegocio     VARCHAR(4)   COLLATE TSQLTEXT
);
CREATE INDEX IX_VT_Asientos_CCosto_Cuenta ON VT_Asientos_CCosto (cuenta, fecha);

CREATE TABLE VT_ASIENTOS_CCOSTO1 (
    porcentaje NUMERIC(18,4),
    importecc  NUMERIC(18,4),
    tc         VARCHAR(4)  COLLATE TSQLTEXT,
    sucursal   VARCHAR(4)  COLLATE TSQLTEXT,
    numero     VARCHAR(8)  COLLATE TSQLTEXT,
    letra      VARCHAR(1)  COLLATE TSQLTEXT,
    CCosto     VARCHAR(4)  COLLATE TSQLTEXT,
    cuenta     VARCHAR(15) COLLATE TSQLTEXT
);
CREATE INDEX IX_VT_ASIENTOS_CCOSTO1_Comprobante ON VT_ASIENTOS_CCOSTO1 (tc, sucursal, numero, letra, CCosto);

-- Reconciliations (written by this program) ---------------------------------------------------------------------

CREATE TABLE MV_CONCILIACION_CAB (
    IDCONCILIACION INTEGER NOT NULL PRIMARY KEY,
    TIPO           VARCHAR(3)   COLLATE TSQLTEXT,
    CUENTA         VARCHAR(15)  COLLATE TSQLTEXT,
    FECHA          DATETIME     COLLATE TSQLDATE,
    OBSERVACIONES  VARCHAR(255) COLLATE TSQLTEXT,
    FECHADESDE     DATETIME     COLLATE TSQLDATE,
    FECHAHASTA     DATETIME     COLLATE TSQLDATE,
    UNEGOCIO       VARCHAR(4)   COLLATE TSQLTEXT,
    USUARIO        VARCHAR(50)  COLLATE TSQLTEXT,
    FINALIZADA     INTEGER
);

-- Left lines (debits).
CREATE TABLE MV_CONCILIACION (
    ID               INTEGER PRIMARY KEY AUTOINCREMENT,
    IDCONCILIACION   INTEGER NOT NULL,
    FECHA            DATETIME      COLLATE TSQLDATE,
    CUENTA           VARCHAR(15)   COLLATE TSQLTEXT NOT NULL,
    SECUENCIA        INTEGER NOT NULL,
    MES_OPERATIVO    INTEGER NOT NULL,
    [NUMERO ASIENTO] INTEGER NOT NULL,
    PERIODO          INTEGER NOT NULL,
    TIPO_REG         VARCHAR(2)    COLLATE TSQLTEXT NOT NULL,
    FINALIZADA       INTEGER NOT NULL DEFAULT 0,
    FECHAMOV         DATETIME      COLLATE TSQLDATE,
    VENCIMIENTO      DATETIME      COLLATE TSQLDATE,
    TC               VARCHAR(4)    COLLATE TSQLTEXT,
    COMPROBANTE      VARCHAR(13)   COLLATE TSQLTEXT,
    IMPORTE          NUMERIC(18,4),
    CONCEPTO         VARCHAR(100)  COLLATE TSQLTEXT,
    IDCONCAUX        INTEGER,
    CONCILIADO       INTEGER NOT NULL DEFAULT 0,
    CONCILIADOCON    TEXT          COLLATE TSQLTEXT,   -- a link list, as long as its partners make it
    TC_ORIGEN        VARCHAR(4)    COLLATE TSQLTEXT,
    CPTE_ORIGEN      VARCHAR(13)   COLLATE TSQLTEXT
);
-- A journal line is held by at most one reconciliation, also when two stations load the same account at once.
CREATE UNIQUE INDEX UX_MV_CONCILIACION_Linea
    ON MV_CONCILIACION (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG);
CREATE INDEX IX_MV_CONCILIACION_Conciliacion ON MV_CONCILIACION (IDCONCILIACION);

-- Right lines (credits); FINALIZADA is the line's reconciled mark here.
CREATE TABLE MV_CONCILIACION_AUX (
    ID               INTEGER PRIMARY KEY AUTOINCREMENT,
    IDCONCILIACION   INTEGER NOT NULL,
    FECHA            DATETIME      COLLATE TSQLDATE,
    CUENTA           VARCHAR(15)   COLLATE TSQLTEXT NOT NULL,
    SECUENCIA        INTEGER NOT NULL,
    MES_OPERATIVO    INTEGER NOT NULL,
    [NUMERO ASIENTO] INTEGER NOT NULL,
    PERIODO          INTEGER NOT NULL,
    TIPO_REG         VARCHAR(2)    COLLATE TSQLTEXT NOT NULL,
    FINALIZADA       INTEGER NOT NULL DEFAULT 0,
    FECHAMOV         DATETIME      COLLATE TSQLDATE,
    VENCIMIENTO      DATETIME      COLLATE TSQLDATE,
    TC               VARCHAR(4)    COLLATE TSQLTEXT,
    COMPROBANTE      VARCHAR(13)   COLLATE TSQLTEXT,
    IMPORTE          NUMERIC(18,4),
    CONCEPTO         VARCHAR(100)  COLLATE TSQLTEXT,
    CONCILIA         TEXT          COLLATE TSQLTEXT,   -- a link list, as long as its partners make it
    TC_ORIGEN        VARCHAR(4)    COLLATE TSQLTEXT,
    CPTE_ORIGEN      VARCHAR(13)   COLLATE TSQLTEXT
);
CREATE UNIQUE INDEX UX_MV_CONCILIACION_AUX_Linea
    ON MV_CONCILIACION_AUX (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG);
CREATE INDEX IX_MV_CONCILIACION_AUX_Conciliacion ON MV_CONCILIACION_AUX (IDCONCILIACION);

-- Links between a left line and a right line.
CREATE TABLE MV_CONCILIACION_Cpte_AUX (
    IdCpte    INTEGER NOT NULL,
    IdCpteAux INTEGER NOT NULL,
    PRIMARY KEY (IdCpte, IdCpteAux)
);
CREATE INDEX IX_MV_CONCILIACION_Cpte_AUX_Aux ON MV_CONCILIACION_Cpte_AUX (IdCpteAux);

-- Edit lock of an open reconciliation: one row per station and user holding it.
CREATE TABLE V_MV_CTROL_CPTE (
    TC       VARCHAR(4)   COLLATE TSQLTEXT NOT NULL,
    SUCURSAL VARCHAR(4)   COLLATE TSQLTEXT NOT NULL,
    NUMERO   VARCHAR(8)   COLLATE TSQLTEXT NOT NULL,
    LETRA    VARCHAR(1)   COLLATE TSQLTEXT NOT NULL,
    USUARIO  VARCHAR(101) COLLATE TSQLTEXT NOT NULL,
    PRIMARY KEY (TC, SUCURSAL, NUMERO, LETRA, USUARIO)
);

-- Articles asked for and not found, written by the article lookup.
CREATE TABLE V_MV_FALTANTES (
    FechaHora   DATETIME     COLLATE TSQLDATE,
    IdArticulo  VARCHAR(25)  COLLATE TSQLTEXT,
    Descripcion VARCHAR(100) COLLATE TSQLTEXT,
    Usuario     VARCHAR(50)  COLLATE TSQLTEXT
);

-- Documents: sales (receipts included) and purchase vouchers ---------------------------------------------------

CREATE TABLE V_MV_Cpte (
    TC                       VARCHAR(4)   COLLATE TSQLTEXT NOT NULL,
    IDCOMPROBANTE            VARCHAR(13)  COLLATE TSQLTEXT NOT NULL,
    IDCOMPLEMENTO            INTEGER NOT NULL DEFAULT 0,
    CUENTA                   VARCHAR(15)  COLLATE TSQLTEXT,
    NOMBRE                   VARCHAR(60)  COLLATE TSQLTEXT,
    DOMICILIO                VARCHAR(60)  COLLATE TSQLTEXT,
    LOCALIDAD                VARCHAR(40)  COLLATE TSQLTEXT,
    CODIGOPOSTAL             VARCHAR(8)   COLLATE TSQLTEXT,
    TELEFONO                 VARCHAR(30)  COLLATE TSQLTEXT,
    COMENTARIOS              VARCHAR(255) COLLATE TSQLTEXT,
    FECHA                    DATETIME     COLLATE TSQLDATE,
    UNEGOCIO                 VARCHAR(4)   COLLATE TSQLTEXT,
    MATRICULA                VARCHAR(20)  COLLATE TSQLTEXT,
    MODELO                   VARCHAR(40)  COLLATE TSQLTEXT,
    SERIE                    VARCHAR(30)  COLLATE TSQLTEXT,
    FECHAESTINICIO           DATETIME     COLLATE TSQLDATE,
    FECHAESTFIN              DATETIME     COLLATE TSQLDATE,
    importe                  NUMERIC(18,4),
    importe_s_iva            NUMERIC(18,4),
    porcdescuento1           NUMERIC(18,4),
    porcdescuento2           NUMERIC(18,4),
    porcdescuento3           NUMERIC(18,4),
    porcdescuento4           NUMERIC(18,4),
    impdescuento1            NUMERIC(18,4),
    impdescuento2            NUMERIC(18,4),
    impdescuento3            NUMERIC(18,4),
    impdescuento4            NUMERIC(18,4),
    ImporteImpuestosInternos NUMERIC(18,4),
    AlicIva                  NUMERIC(18,4),
    AlicIva2                 NUMERIC(18,4),
    AlicIva3                 NUMERIC(18,4),
    AlicIva4                 NUMERIC(18,4),
    AlicIvaRec               NUMERIC(18,4),
    ImporteIva               NUMERIC(18,4),
    ImporteIva2              NUMERIC(18,4),
    ImpIVA3                  NUMERIC(18,4),
    ImpIVA4                  NUMERIC(18,4),
    ImporteIvaRec            NUMERIC(18,4),
    RETGAN_Importe           NUMERIC(18,4),
    RETIBR_Importe           NUMERIC(18,4),
    RETIVA_Importe           NUMERIC(18,4),
    PRIMARY KEY (TC, IDCOMPROBANTE, IDCOMPLEMENTO)
);

CREATE TABLE C_MV_Cpte (
    CUENTA                   VARCHAR(15)  COLLATE TSQLTEXT NOT NULL,
    TC                       VARCHAR(4)   COLLATE TSQLTEXT NOT NULL,
    IDCOMPROBANTE            VARCHAR(13)  COLLATE TSQLTEXT NOT NULL,
    NOMBRE                   VARCHAR(60)  COLLATE TSQLTEXT,
    DOMICILIO                VARCHAR(60)  COLLATE TSQLTEXT,
    LOCALIDAD                VARCHAR(40)  COLLATE TSQLTEXT,
    CODIGOPOSTAL             VARCHAR(8)   COLLATE TSQLTEXT,
    TELEFONO                 VARCHAR(30)  COLLATE TSQLTEXT,
    COMENTARIOS              VARCHAR(255) COLLATE TSQLTEXT,
    FECHA                    DATETIME     COLLATE TSQLDATE,
    UNEGOCIO                 VARCHAR(4)   COLLATE TSQLTEXT,
    importe                  NUMERIC(18,4),
    importe_s_iva            NUMERIC(18,4),
    porcdescuento1           NUMERIC(18,4),
    porcdescuento2           NUMERIC(18,4),
    porcdescuento3           NUMERIC(18,4),
    porcdescuento4           NUMERIC(18,4),
    impdescuento1            NUMERIC(18,4),
    impdescuento2            NUMERIC(18,4),
    impdescuento3            NUMERIC(18,4),
    impdescuento4            NUMERIC(18,4),
    ImporteImpuestosInternos NUMERIC(18,4),
    AlicIva                  NUMERIC(18,4),
    AlicIva2                 NUMERIC(18,4),
    AlicIvaRec               NUMERIC(18,4),
    ImporteIva               NUMERIC(18,4),
    ImporteIva2              NUMERIC(18,4),
    ImporteIvaRec            NUMERIC(18,4),
    RETGAN_Importe           NUMERIC(18,4),
    RETIBR_Importe           NUMERIC(18,4),
    RETIVA_Importe           NUMERIC(18,4),
    PRIMARY KEY (CUENTA, TC, IDCOMPROBANTE)
);
CREATE INDEX IX_C_MV_Cpte_Comprobante ON C_MV_Cpte (TC, IDCOMPROBANTE);

CREATE TABLE V_MV_CPTEInsumos (
    TC             VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    idcomprobante  VARCHAR(13) COLLATE TSQLTEXT NOT NULL,
    idcomplemento  INTEGER NOT NULL DEFAULT 0,
    IDARTICULO     VARCHAR(25) COLLATE TSQLTEXT,
    DESCRIPCION    VARCHAR(60) COLLATE TSQLTEXT,
    IDUNIDAD       VARCHAR(4)  COLLATE TSQLTEXT,
    CANTIDAD       NUMERIC(18,4),
    IMPORTE        NUMERIC(18,4),
    TOTAL          NUMERIC(18,4),
    IMPORTEDTO     NUMERIC(18,4)
);
CREATE INDEX IX_V_MV_CPTEInsumos_Cpte ON V_MV_CPTEInsumos (TC, idcomprobante, idcomplemento);

CREATE TABLE C_mv_CPTEInsumos (
    CUENTA         VARCHAR(15) COLLATE TSQLTEXT NOT NULL,
    TC             VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    idcomprobante  VARCHAR(13) COLLATE TSQLTEXT NOT NULL,
    IDARTICULO     VARCHAR(25) COLLATE TSQLTEXT,
    DESCRIPCION    VARCHAR(60) COLLATE TSQLTEXT,
    IDUNIDAD       VARCHAR(4)  COLLATE TSQLTEXT,
    CANTIDAD       NUMERIC(18,4),
    IMPORTE        NUMERIC(18,4),
    TOTAL          NUMERIC(18,4)
);
CREATE INDEX IX_C_mv_CPTEInsumos_Cpte ON C_mv_CPTEInsumos (CUENTA, TC, idcomprobante);

CREATE TABLE V_MV_CPTETareas (
    TC             VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    idcomprobante  VARCHAR(13) COLLATE TSQLTEXT NOT NULL,
    idcomplemento  INTEGER NOT NULL DEFAULT 0,
    IDTAREA        VARCHAR(10) COLLATE TSQLTEXT,
    DESCRIPCION    VARCHAR(60) COLLATE TSQLTEXT,
    HORAS          INTEGER,
    VALORHORA      NUMERIC(18,4),
    TOTAL          NUMERIC(18,4)
);
CREATE INDEX IX_V_MV_CPTETareas_Cpte ON V_MV_CPTETareas (TC, idcomprobante, idcomplemento);

CREATE TABLE C_mv_CPTETareas (
    CUENTA         VARCHAR(15) COLLATE TSQLTEXT NOT NULL,
    TC             VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    idcomprobante  VARCHAR(13) COLLATE TSQLTEXT NOT NULL,
    IDTAREA        VARCHAR(10) COLLATE TSQLTEXT,
    DESCRIPCION    VARCHAR(60) COLLATE TSQLTEXT,
    HORAS          INTEGER,
    VALORHORA      NUMERIC(18,4),
    TOTAL          NUMERIC(18,4)
);
CREATE INDEX IX_C_mv_CPTETareas_Cpte ON C_mv_CPTETareas (CUENTA, TC, idcomprobante);

CREATE TABLE V_MV_CPTE_Observ (
    TC             VARCHAR(4)   COLLATE TSQLTEXT NOT NULL,
    idcomprobante  VARCHAR(13)  COLLATE TSQLTEXT NOT NULL,
    idcomplemento  INTEGER NOT NULL DEFAULT 0,
    TIPO_OBS       VARCHAR(20)  COLLATE TSQLTEXT,
    OBSERVACION    VARCHAR(255) COLLATE TSQLTEXT,
    IMPORTE        NUMERIC(18,4)
);
CREATE INDEX IX_V_MV_CPTE_Observ_Cpte ON V_MV_CPTE_Observ (TC, idcomprobante, idcomplemento);

CREATE TABLE C_mv_CPTE_Observ (
    CUENTA         VARCHAR(15)  COLLATE TSQLTEXT NOT NULL,
    TC             VARCHAR(4)   COLLATE TSQLTEXT NOT NULL,
    idcomprobante  VARCHAR(13)  COLLATE TSQLTEXT NOT NULL,
    TIPO_OBS       VARCHAR(20)  COLLATE TSQLTEXT,
    OBSERVACION    VARCHAR(255) COLLATE TSQLTEXT,
    IMPORTE        NUMERIC(18,4)
);
CREATE INDEX IX_C_mv_CPTE_Observ_Cpte ON C_mv_CPTE_Observ (CUENTA, TC, idcomprobante);

-- Which voucher applies which (a receipt cancelling invoices, a credit note an invoice...).
CREATE TABLE MV_APLICACION (
    TC                   VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    SUCURSAL             VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    NUMERO               VARCHAR(8)  COLLATE TSQLTEXT NOT NULL,
    LETRA                VARCHAR(1)  COLLATE TSQLTEXT NOT NULL,
    IDCOMPROBANTE        VARCHAR(13) COLLATE TSQLTEXT NOT NULL,
    TCO_ORIGEN           VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    SUCURSAL_ORIGEN      VARCHAR(4)  COLLATE TSQLTEXT,
    NUMERO_ORIGEN        VARCHAR(8)  COLLATE TSQLTEXT,
    LETRA_ORIGEN         VARCHAR(1)  COLLATE TSQLTEXT,
    IDCOMPROBANTE_ORIGEN VARCHAR(13) COLLATE TSQLTEXT NOT NULL,
    IMPORTE              NUMERIC(18,4),
    PRIMARY KEY (TC, IDCOMPROBANTE, TCO_ORIGEN, IDCOMPROBANTE_ORIGEN)
);
CREATE INDEX IX_MV_APLICACION_Comprobante ON MV_APLICACION (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX IX_MV_APLICACION_Origen ON MV_APLICACION (TCO_ORIGEN, IDCOMPROBANTE_ORIGEN);

-- History of actions on a voucher.
CREATE TABLE V_MV_CPTEACCIONES (
    TC            VARCHAR(4)  COLLATE TSQLTEXT NOT NULL,
    IDCOMPROBANTE VARCHAR(13) COLLATE TSQLTEXT NOT NULL,
    IDCOMPLEMENTO INTEGER,
    NUMEROASIENTO INTEGER,
    TIPO_ACCION   VARCHAR(1)  COLLATE TSQLTEXT,
    FECHAHORA     DATETIME    COLLATE TSQLDATE,
    USUARIO       VARCHAR(50) COLLATE TSQLTEXT,
    PC            VARCHAR(50) COLLATE TSQLTEXT,
    SYSTEMUSER    VARCHAR(50) COLLATE TSQLTEXT
);
CREATE INDEX IX_V_MV_CPTEACCIONES_Cpte ON V_MV_CPTEACCIONES (TC, IDCOMPROBANTE);

-- Tables the lookup windows know by name ------------------------------------------------------------------------

CREATE TABLE VT_MA_ARTICULOS (
    IDARTICULO  VARCHAR(25) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(60) COLLATE TSQLTEXT,
    SUSPENDIDO  INTEGER NOT NULL DEFAULT 0,
    PUNTOPEDIDO NUMERIC(18,4),
    Stock       NUMERIC(18,4),
    PRECIO1     NUMERIC(18,4),
    PRECIO2     NUMERIC(18,4),
    PRECIO3     NUMERIC(18,4),
    PRECIO4     NUMERIC(18,4),
    PRECIO5     NUMERIC(18,4),
    PRECIO6     NUMERIC(18,4),
    PRECIO7     NUMERIC(18,4),
    PRECIO8     NUMERIC(18,4)
);
CREATE VIEW V_MA_ARTICULOS AS SELECT * FROM VT_MA_ARTICULOS;
CREATE VIEW STK_MA_ARTICULOS AS SELECT * FROM VT_MA_ARTICULOS;

CREATE TABLE VT_CLIENTES (
    CODIGO       VARCHAR(15) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    RAZON_SOCIAL VARCHAR(60) COLLATE TSQLTEXT,
    CONTACTO     VARCHAR(60) COLLATE TSQLTEXT,
    Dada_De_Baja INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE VT_PROVEEDORES (
    CODIGO       VARCHAR(15) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    RAZON_SOCIAL VARCHAR(60) COLLATE TSQLTEXT,
    Dada_De_Baja INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE MA_CONTACTOS (
    Nombre_y_Apellido VARCHAR(60) COLLATE TSQLTEXT NOT NULL,
    Domicilio         VARCHAR(60) COLLATE TSQLTEXT,
    Localidad         VARCHAR(40) COLLATE TSQLTEXT,
    Telefono          VARCHAR(30) COLLATE TSQLTEXT
);

CREATE TABLE V_TA_VENDEDORES (
    IDVENDEDOR VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    NOMBRE     VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE V_TA_TECNICOS (
    IDTECNICO VARCHAR(4)  COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    NOMBRE    VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE V_MA_MANTENIMIENTOS (
    CODIGO      VARCHAR(10) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE V_TA_FAMILIAS (
    IDFAMILIA   VARCHAR(10) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE TSQLTEXT
);

CREATE TABLE MA_POSICIONES (
    IDPOSICION  VARCHAR(10) COLLATE TSQLTEXT NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE TSQLTEXT
);

-- Synonyms that non-administrators read through ------------------------------------------------------------------

CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS;
CREATE VIEW SS_MV_ASIENTOS AS SELECT * FROM MV_ASIENTOS;
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT * FROM V_TA_FAMILIAS;
