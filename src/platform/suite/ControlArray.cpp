#include "ControlArray.h"

#include "platform/ado/Error.h"

#include <QVariant>

namespace suite {

QString DataField(const QWidget* control)
{
    return control ? control->property(kPropiedadDataField).toString() : QString();
}

void SetDataField(QWidget* control, const QString& campo)
{
    control->setProperty(kPropiedadDataField, campo);
}

QString Tag(const QWidget* control)
{
    return control ? control->property(kPropiedadTag).toString() : QString();
}

void SetTag(QWidget* control, const QString& tag)
{
    control->setProperty(kPropiedadTag, tag);
}

int IndexOf(const QWidget* control)
{
    const QVariant v = control ? control->property(kPropiedadIndex) : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

void ControlArrayBase::Load(int index, QWidget* control)
{
    control->setObjectName(m_nombre);
    control->setProperty(kPropiedadIndex, index);
    m_miembros.insert(index, control);
}

void ControlArrayBase::Unload(int index)
{
    if (QWidget* w = m_miembros.take(index))
        w->setProperty(kPropiedadIndex, QVariant());
}

bool ControlArrayBase::Existe(int index) const
{
    return !m_miembros.value(index).isNull();
}

int ControlArrayBase::Count() const
{
    return int(Indices().size());
}

int ControlArrayBase::LBound() const
{
    const QList<int> i = Indices();
    return i.isEmpty() ? -1 : i.first();
}

int ControlArrayBase::UBound() const
{
    const QList<int> i = Indices();
    return i.isEmpty() ? -1 : i.last();
}

QList<int> ControlArrayBase::Indices() const
{
    QList<int> vivos;
    for (auto it = m_miembros.cbegin(); it != m_miembros.cend(); ++it)
        if (!it.value().isNull())
            vivos.append(it.key());
    return vivos;
}

QWidget* ControlArrayBase::Control(int index) const
{
    QWidget* w = m_miembros.value(index);
    if (!w)
        throw ado::Error(340, QStringLiteral("El elemento %1 de la matriz de controles '%2' no existe")
                                  .arg(index)
                                  .arg(m_nombre));
    return w;
}

} // namespace suite
