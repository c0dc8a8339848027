#include "Desnudo.h"

#include "schema/DemoDatabase.h"

#include <sqlite3.h>

namespace desnudo {

std::vector<Fila> Diario(sqlite3* db, const char* lado)
{
    const QByteArray sql = QByteArray("SELECT SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, "
                                      "VENCIMIENTO, TC, IFNULL(SUCURSAL,'')||IFNULL(NUMERO,'')||IFNULL(LETRA,''), "
                                      "IFNULL(IMPORTE,0), DETALLE, TC_ORIGEN, CPTE_ORIGEN FROM MV_ASIENTOS "
                                      "WHERE CUENTA = '")
                           + schema::kBenchAccount + "' AND [DEBE-HABER] = '" + lado
                           + "' ORDER BY FECHA, TC, SUCURSAL, NUMERO";
    sqlite3_stmt* st = nullptr;
    std::vector<Fila> filas;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return filas;
    const auto texto = [st](int i) {
        return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        filas.push_back({sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1), sqlite3_column_int64(st, 2),
                         sqlite3_column_int64(st, 3), texto(4), texto(5), texto(6), texto(7), texto(8), texto(10),
                         texto(11), texto(12), sqlite3_column_double(st, 9)});
    }
    sqlite3_finalize(st);
    return filas;
}

bool Insertar(sqlite3* db, const std::vector<Fila>& izquierda, const std::vector<Fila>& derecha)
{
    const char* columnas = "(IDCONCILIACION,FECHA,CUENTA,SECUENCIA,MES_OPERATIVO,[NUMERO ASIENTO],PERIODO,TIPO_REG,"
                           "FINALIZADA,FECHAMOV,VENCIMIENTO,TC,COMPROBANTE,IMPORTE,CONCEPTO,TC_ORIGEN,CPTE_ORIGEN) "
                           "VALUES (1,'2026-04-18',?,?,?,?,?,?,0,?,?,?,?,?,?,?,?)";
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    for (const auto& [tabla, filas] :
         {std::pair{"MV_CONCILIACION", &izquierda}, std::pair{"MV_CONCILIACION_AUX", &derecha}}) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = QByteArray("INSERT INTO ") + tabla + " " + columnas;
        ok = ok && sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK;
        for (const Fila& f : *filas) {
            if (!ok)
                break;
            const auto texto = [st](int i, const QByteArray& t) {
                sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_STATIC);
            };
            sqlite3_bind_text(st, 1, schema::kBenchAccount, -1, SQLITE_STATIC);
            sqlite3_bind_int64(st, 2, f.secuencia);
            sqlite3_bind_int64(st, 3, f.mes);
            sqlite3_bind_int64(st, 4, f.asiento);
            sqlite3_bind_int64(st, 5, f.periodo);
            texto(6, f.tipoReg);
            texto(7, f.fecha);
            texto(8, f.vencimiento);
            texto(9, f.tc);
            texto(10, f.comprobante);
            sqlite3_bind_double(st, 11, f.importe);
            texto(12, f.concepto);
            texto(13, f.tcOrigen);
            texto(14, f.cpteOrigen);
            ok = sqlite3_step(st) == SQLITE_DONE;
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    return sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

qint64 Releer(sqlite3* db)
{
    qint64 bytes = 0;
    for (const char* sql : {"SELECT * FROM MV_CONCILIACION WHERE IDCONCILIACION = 1 ORDER BY ID",
                            "SELECT * FROM MV_CONCILIACION_AUX WHERE IDCONCILIACION = 1 ORDER BY ID"}) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            return -1;
        const int columnas = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < columnas; ++c) {
                sqlite3_column_text(st, c);
                bytes += sqlite3_column_bytes(st, c);
            }
        sqlite3_finalize(st);
    }
    return bytes;
}

} // namespace desnudo
