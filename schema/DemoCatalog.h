#pragma once
// The demo company's parties, articles, tasks and banks: shared by the master data and the vouchers.

#include "CompanyFile.h"

#include <array>

namespace schema::demo {

struct Party {
    const char* cuenta;
    const char* nombre;
    const char* domicilio;
    const char* localidad;
    const char* codigoPostal;
    const char* telefono;
    const char* contacto;
};

inline constexpr std::array<Party, 4> kCustomers = {{
    {"110301", "Comercial Andina S.A.", "Av. San Martín 1450", "Mendoza", "5500", "0261-4231187", "Laura Giménez"},
    {"110302", "Distribuidora del Sur S.R.L.", "Belgrano 872", "Bahía Blanca", "8000", "0291-4552310",
     "Martín Ríos"},
    {"110303", "Estudio Martínez y Asociados", "Córdoba 3320 piso 4", "Rosario", "2000", "0341-4498020",
     "Ana Martínez"},
    {"110304", "Transportes La Costera S.A.", "Ruta 2 km 41", "Chascomús", "7130", "02241-430977",
     "Jorge Peralta"},
}};

inline constexpr std::array<Party, 3> kSuppliers = {{
    {"210101", "Papelera Central S.A.", "Lavalle 2210", "Buenos Aires", "1047", "011-4951-7720", "Sofía Herrera"},
    {"210102", "Servicios Informáticos Delta S.R.L.", "Mitre 455", "Córdoba", "5000", "0351-4227781",
     "Pablo Acosta"},
    {"210103", "Combustibles del Oeste S.A.", "Av. Rivadavia 9800", "Buenos Aires", "1407", "011-4671-0032",
     "Carlos Benítez"},
}};

struct Article {
    const char* id;
    const char* descripcion;
    const char* unidad;
    Amount precio;
    const char* familia;
};

inline constexpr std::array<Article, 9> kArticles = {{
    {"PAP-A4-75", "Resma papel A4 75 g", "UN", Pesos(6850), "0101"},
    {"PAP-OF-80", "Resma papel oficio 80 g", "UN", Pesos(7920, 50), "0101"},
    {"CAR-TON-85", "Cartucho de tóner 85A", "UN", Pesos(38400), "0201"},
    {"CAR-TIN-664", "Cartucho de tinta 664 negro", "UN", Pesos(12150, 75), "0201"},
    {"UTI-BIB-50", "Bibliorato lomo ancho", "UN", Pesos(3210), "0102"},
    {"UTI-BOL-AZ", "Bolígrafo azul x 50", "CJ", Pesos(9875, 40), "0102"},
    {"INF-MOU-USB", "Mouse óptico USB", "UN", Pesos(8990), "0202"},
    {"INF-TEC-USB", "Teclado USB español", "UN", Pesos(15430), "0202"},
    {"COM-GASOIL", "Gasoil grado 3 (litro)", "LT", Pesos(1150), "03"},
}};

struct Task {
    const char* id;
    const char* descripcion;
    Amount valorHora;
};

inline constexpr std::array<Task, 3> kTasks = {{
    {"T01", "Instalación de equipos", Pesos(18500)},
    {"T02", "Mantenimiento preventivo", Pesos(15200)},
    {"T03", "Soporte técnico en sitio", Pesos(21000)},
}};

// A code and its description: banks, cost centres, business units.
struct CodeName {
    const char* codigo;
    const char* descripcion;
};

inline constexpr std::array<CodeName, 3> kBanks = {{
    {"0011", "Banco del Plata"},
    {"0014", "Banco Regional del Centro"},
    {"0072", "Banco Andino"},
}};

// The bank that holds the demo company's current account.
inline constexpr const char* kOwnBank = "0011";

inline constexpr std::array<CodeName, 3> kCostCentres = {{
    {"0001", "Administración"},
    {"0002", "Comercialización"},
    {"0003", "Logística"},
}};

inline constexpr std::array<CodeName, 2> kBusinessUnits = {{
    {"0001", "Casa Central"},
    {"0002", "Sucursal Rosario"},
}};

} // namespace schema::demo
