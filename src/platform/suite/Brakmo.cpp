#include "Brakmo.h"

#include "platform/ui/Keys.h"

#include <QAction>
#include <QStyle>
#include <QToolButton>
#include <array>

namespace suite {

namespace {

constexpr int F(int n)
{
    return ui::vbKeyF1 + n - 1;
}

struct DefBoton {
    const char* clave;
    const char* titulo;
    QStyle::StandardPixmap icono;
    int flag;
    int tecla;   // key code; 0: none
};

// In bar order; a separator goes before CONSULTAR and before CERRAR.
constexpr std::array<DefBoton, Brakmo::kCantidadFlags> kBotones{{
    {"NUEVO", "Nuevo", QStyle::SP_FileIcon, 8, F(2)},
    {"GRABAR", "Grabar", QStyle::SP_DialogSaveButton, 7, F(5)},
    {"BORRAR", "Borrar", QStyle::SP_TrashIcon, 1, F(3)},
    {"CANCELAR", "Cancelar", QStyle::SP_DialogCancelButton, 6, F(7)},
    {"CONSULTAR", "Consultar", QStyle::SP_FileDialogContentsView, 2, F(6)},
    {"REPORTE", "Reporte", QStyle::SP_FileDialogDetailedView, 3, F(8)},
    {"PLANILLA", "Planilla", QStyle::SP_FileDialogListView, 4, 0},
    {"CERRAR", "Cerrar", QStyle::SP_DialogCloseButton, 5, 0},
}};

// Property names by flag number (index 0 unused).
constexpr std::array<const char*, Brakmo::kCantidadFlags + 1> kNombres{{
    "", "borrarenabled", "consultaenabled", "reporteenabled", "planillaenabled", "cerrarenabled",
    "cancelarenabled", "grabarenabled", "nuevoenabled",
}};

const DefBoton* defDeFlag(int numero)
{
    for (const DefBoton& d : kBotones)
        if (d.flag == numero)
            return &d;
    return nullptr;
}

} // namespace

Brakmo::Brakmo(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("Brakmo1"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const DefBoton& d : kBotones) {
        const QString clave = QString::fromLatin1(d.clave);
        if (clave == QLatin1String("CONSULTAR") || clave == QLatin1String("CERRAR"))
            addSeparator();
        QAction* boton = addAction(style()->standardIcon(d.icono), QString::fromLatin1(d.titulo));
        boton->setObjectName(clave);
        boton->setData(clave);
        const QString tecla = d.tecla ? QStringLiteral("[F%1] ").arg(d.tecla - F(1) + 1) : QString();
        boton->setToolTip(tecla + QString::fromLatin1(d.titulo));
        connect(boton, &QAction::triggered, this, [this, clave] { emit click(clave); });
    }
    setStyleBar(m_styleBar);
}

QStringList Brakmo::Claves()
{
    QStringList claves;
    for (const DefBoton& d : kBotones)
        claves << QString::fromLatin1(d.clave);
    return claves;
}

QAction* Brakmo::Boton(const QString& clave) const
{
    const QString buscada = clave.trimmed().toUpper();
    if (buscada.isEmpty())
        return nullptr;
    return findChild<QAction*>(buscada, Qt::FindDirectChildrenOnly);
}

QString Brakmo::ClaveDeFlag(int numero)
{
    const DefBoton* d = defDeFlag(numero);
    return d ? QString::fromLatin1(d->clave) : QString();
}

QString Brakmo::NombreDeFlag(int numero)
{
    return numero >= 1 && numero <= kCantidadFlags ? QString::fromLatin1(kNombres[numero]) : QString();
}

int Brakmo::NumeroDeFlag(const QString& nombreOClave)
{
    const QString texto = nombreOClave.trimmed();
    for (int n = 1; n <= kCantidadFlags; ++n)
        if (texto.compare(QLatin1String(kNombres[n]), Qt::CaseInsensitive) == 0
            || texto.compare(ClaveDeFlag(n), Qt::CaseInsensitive) == 0)
            return n;
    return 0;
}

int Brakmo::NumeroDeId(qint64 id)
{
    const qint64 n = id - kIdPrimerFlag + 1;
    return n >= 1 && n <= kCantidadFlags ? int(n) : 0;
}

bool Brakmo::Flag(int numero) const
{
    const QAction* boton = Boton(ClaveDeFlag(numero));
    return boton && boton->isEnabled();
}

void Brakmo::setFlag(int numero, bool habilitado)
{
    if (QAction* boton = Boton(ClaveDeFlag(numero)))
        boton->setEnabled(habilitado);
}

QString Brakmo::ClaveDeTecla(int KeyCode)
{
    if (KeyCode == 0)
        return {};
    for (const DefBoton& d : kBotones)
        if (d.tecla == KeyCode)
            return QString::fromLatin1(d.clave);
    return {};
}

void Brakmo::TeclaPulsada(int& KeyCode)
{
    QAction* boton = Boton(ClaveDeTecla(KeyCode));
    if (!boton || !boton->isEnabled() || !boton->isVisible())
        return;
    KeyCode = 0;
    emit click(boton->data().toString());
}

void Brakmo::setStyleBar(double estilo)
{
    m_styleBar = estilo;
    for (QAction* boton : actions())
        if (auto* b = qobject_cast<QToolButton*>(widgetForAction(boton)))
            b->setAutoRaise(estilo != 0);
}

} // namespace suite
