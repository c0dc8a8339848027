#pragma once
// The tree variant of the lookup window ("Consulta..."): the rows of a (code, description) statement as a
// tree whose levels follow the length of the codes, each code under the nearest preceding shorter code. The
// operator picks one node or checks several; the chosen codes come back in ValorDevuelto or Valores.

#include "MiembrosConsulta.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace ui {
class Node;
class TreeView;
}

class Lib_FrmCons3Tree : public QDialog, public MiembrosConsulta {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);

    // ---- controls ----
    ui::TreeView* TreeV = nullptr;
    QList<QComboBox*> CmbSearch;   // the window uses box 0
    QPushButton* CmdNueva = nullptr;
    QPushButton* cmdCancelar = nullptr;
    QPushButton* CmdAceptar = nullptr;

    void Form_Load();
    void Form_Unload();
    void ArmarTreeVAutomatico();

    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void CmbSearch_Change(int Index);
    void CmdAceptar_Click();
    void TreeV_DblClick();
    void TreeV_NodeCheck(const ui::Node& node);
    void cmdCancelar_Click();
    void CmdNueva_Click();
    // Esc and the close box cancel.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The value of `CampoDevuelto` for a code, looked up in the table the column belongs to.
    std::optional<QString> buscarCodigo(const QString& tabla, const QString& codigo);

    QString m_SQLBase;
    QString m_OrdenSQL;
};
