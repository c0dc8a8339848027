#pragma once
// The suite's command bar: one button per key text, each raising `click(key)`, eight enabled flags that a
// window sets by number (1..8, or the property-set identifiers &H68030001..&H68030008) or by name, the
// function keys that stand for the buttons (`TeclaPulsada`) and the flat or raised look (`StyleBar`).
//
// Flags by number. Windows switch them between two modes by number: "header entry" turns 2 and 8 on and
// 1, 3, 6 and 7 off, "detail" the reverse; the load of a window also turns 1, 3, 4, 7 and 8 off and never
// touches 5 again. The numbers are therefore given so that:
//   1 borrarenabled   BORRAR     on only while a document is open
//   2 consultaenabled CONSULTAR  on at start-up and while a number or an account is being chosen
//   3 reporteenabled  REPORTE    on only while a document is open
//   4 planillaenabled PLANILLA   off from the load on: no window here handles it
//   5 cerrarenabled   CERRAR     never switched: closing stays possible whatever the mode
//   6 cancelarenabled CANCELAR   on only while a document is open
//   7 grabarenabled   GRABAR     on only while a document is open
//   8 nuevoenabled    NUEVO      off at start-up; on after a reset, off while a document is open
// Taken in name order instead, the close button would be off from the load on and delete would be offered
// only while nothing is open.
//
// Keys (TeclaPulsada): F2 NUEVO, F3 BORRAR, F5 GRABAR, F6 CONSULTAR, F7 CANCELAR, F8 REPORTE. CERRAR and
// PLANILLA have none: the window's close box closes, and a single key should not end the program. F9 and
// Ctrl+F stay with the window.

#include <QString>
#include <QStringList>
#include <QToolBar>

class QAction;

namespace suite {

class Brakmo : public QToolBar {
    Q_OBJECT
    Q_PROPERTY(bool nuevoenabled READ nuevoenabled WRITE setNuevoenabled)
    Q_PROPERTY(bool borrarenabled READ borrarenabled WRITE setBorrarenabled)
    Q_PROPERTY(bool reporteenabled READ reporteenabled WRITE setReporteenabled)
    Q_PROPERTY(bool consultaenabled READ consultaenabled WRITE setConsultaenabled)
    Q_PROPERTY(bool planillaenabled READ planillaenabled WRITE setPlanillaenabled)
    Q_PROPERTY(bool cancelarenabled READ cancelarenabled WRITE setCancelarenabled)
    Q_PROPERTY(bool grabarenabled READ grabarenabled WRITE setGrabarenabled)
    Q_PROPERTY(bool cerrarenabled READ cerrarenabled WRITE setCerrarenabled)
    Q_PROPERTY(double StyleBar READ StyleBar WRITE setStyleBar)

public:
    // Identifier of flag 1 in the bar's property set; flag n is kIdPrimerFlag + n - 1.
    static constexpr qint64 kIdPrimerFlag = 0x68030001;
    static constexpr int kCantidadFlags = 8;

    // Named "Brakmo1", the name of the one bar a window carries and by which its dressing finds it.
    explicit Brakmo(QWidget* parent = nullptr);

    // Key texts of the buttons, in the order they stand on the bar.
    static QStringList Claves();
    // The button of a key text (letter case aside); nullptr for a text that names none.
    QAction* Boton(const QString& clave) const;

    // The key text and the property name of flag 1..8; "" outside that range.
    static QString ClaveDeFlag(int numero);
    static QString NombreDeFlag(int numero);
    // 1..8 for a property name or a key text (letter case aside); 0 for anything else.
    static int NumeroDeFlag(const QString& nombreOClave);

    // Flags by number 1..8; a number outside that range is ignored (and reads False).
    bool Flag(int numero) const;
    void setFlag(int numero, bool habilitado);
    // Flags by property-set identifier (&H68030001..&H68030008).
    bool FlagPorId(qint64 id) const { return Flag(NumeroDeId(id)); }
    void setFlagPorId(qint64 id, bool habilitado) { setFlag(NumeroDeId(id), habilitado); }
    static int NumeroDeId(qint64 id);   // 0 outside the range

    bool nuevoenabled() const { return Flag(8); }
    void setNuevoenabled(bool v) { setFlag(8, v); }
    bool borrarenabled() const { return Flag(1); }
    void setBorrarenabled(bool v) { setFlag(1, v); }
    bool reporteenabled() const { return Flag(3); }
    void setReporteenabled(bool v) { setFlag(3, v); }
    bool consultaenabled() const { return Flag(2); }
    void setConsultaenabled(bool v) { setFlag(2, v); }
    bool planillaenabled() const { return Flag(4); }
    void setPlanillaenabled(bool v) { setFlag(4, v); }
    bool cancelarenabled() const { return Flag(6); }
    void setCancelarenabled(bool v) { setFlag(6, v); }
    bool grabarenabled() const { return Flag(7); }
    void setGrabarenabled(bool v) { setFlag(7, v); }
    bool cerrarenabled() const { return Flag(5); }
    void setCerrarenabled(bool v) { setFlag(5, v); }

    // The key text a key code stands for; "" when the bar has no button for it.
    static QString ClaveDeTecla(int KeyCode);
    // Given every key code of the window first: a key of an enabled button raises that button's click and
    // is used up (KeyCode becomes 0); any other key, or the key of a disabled button, is left as it was.
    void TeclaPulsada(int& KeyCode);

    // 0 raised buttons; any other value flat buttons that rise under the mouse (the station default, 1).
    double StyleBar() const { return m_styleBar; }
    void setStyleBar(double estilo);

signals:
    void click(QString key);

private:
    double m_styleBar = 1;
};

} // namespace suite
