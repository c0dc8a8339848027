#pragma once
// A control array such as txtFields(0..n): members reached by index (gaps allowed), each one carrying the
// array's name as its object name and its index in the "Index" property, so that handlers learn the index
// and the window's controls can be found by array name at run time. A field's data-field name and tag
// are the properties "DataField" and "Tag".
//
//     ControlArray<QLineEdit> txtFields("txtFields");
//     txtFields.Load(0, new QLineEdit(this));  SetDataField(txtFields(0), "IdConciliacion");
//     txtFields(gControles.IndiceControl("FECHAD", txtFields))->text();

#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace suite {

inline constexpr char kPropiedadIndex[] = "Index";
inline constexpr char kPropiedadDataField[] = "DataField";
inline constexpr char kPropiedadTag[] = "Tag";

QString DataField(const QWidget* control);
void SetDataField(QWidget* control, const QString& campo);
QString Tag(const QWidget* control);
void SetTag(QWidget* control, const QString& tag);
// The member's index in its control array; -1 for a control that is in none.
int IndexOf(const QWidget* control);

class ControlArrayBase {
public:
    explicit ControlArrayBase(QString nombre) : m_nombre(std::move(nombre)) {}
    virtual ~ControlArrayBase() = default;

    const QString& Nombre() const { return m_nombre; }
    // Adds the control as member index (it takes the array's name and the index).
    void Load(int index, QWidget* control);
    // Takes the member out of the array (the control itself stays).
    void Unload(int index);
    bool Existe(int index) const;
    int Count() const;
    int LBound() const;  // -1 when empty
    int UBound() const;  // -1 when empty
    QList<int> Indices() const;
    // The member; throws ado::Error 340 ("the control array element does not exist").
    QWidget* Control(int index) const;

private:
    QString m_nombre;
    QMap<int, QPointer<QWidget>> m_miembros;
};

template <class T>
class ControlArray : public ControlArrayBase {
public:
    using ControlArrayBase::ControlArrayBase;
    void Load(int index, T* control) { ControlArrayBase::Load(index, control); }
    T* operator()(int index) const { return static_cast<T*>(Control(index)); }
};

} // namespace suite
