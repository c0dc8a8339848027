#pragma once
// A few figures of the reconciliation tables: rows, marks and link-list lengths of both sides, link rows, and the
// header's state. Enough to tell that a write over hundreds of thousands of lines left nothing behind, without
// reading every row back.

#include <QString>

inline const QString kHuellaTablas = QStringLiteral(
    "SELECT COUNT(*) || ' ' || TOTAL(CONCILIADO) || ' ' || TOTAL(LENGTH(CONCILIADOCON)) FROM MV_CONCILIACION "
    "UNION ALL SELECT COUNT(*) || ' ' || TOTAL(FINALIZADA) || ' ' || TOTAL(LENGTH(CONCILIA)) FROM MV_CONCILIACION_AUX "
    "UNION ALL SELECT COUNT(*) FROM MV_CONCILIACION_Cpte_AUX "
    "UNION ALL SELECT COUNT(*) || ' ' || TOTAL(FINALIZADA) || ' ' || MAX(OBSERVACIONES) FROM MV_CONCILIACION_CAB");
