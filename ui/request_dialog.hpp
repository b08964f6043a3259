#pragma once

#include <cstddef>
#include <functional>

#include <QDialog>

#include "document/codecs/external_net.hpp"
#include "document/document.hpp"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace glt::ui {

// The request dialog: shows one external-network poll request with its
// acknowledgment and reset entries. It is a viewer: nothing typed into it
// goes back into the lists. One instance lives for the whole run.
class TFMBMaster : public QDialog {
    Q_OBJECT
public:
    explicit TFMBMaster(QWidget* parent = nullptr);

    // Shows request `index` of the image's request list modally; an index
    // behind the list shows nothing.
    void ShowRequestDialog(const ConfigImage& image, std::size_t index);

private:
    void SetRequestFields(const RequestFields& fields);
    void Button1Click();

    QLineEdit* ENetAddress_;
    QComboBox* CBFunction_;
    QLineEdit* EDataAdress_;
    QLineEdit* EDataValue_;
    QCheckBox* CBReceipt_;
    QLineEdit* EReceiptAddr_;
    QCheckBox* CBUnset_;
    QLineEdit* EUnsetAddr_;
};

// What the main window puts into PageContext::showRequestDialog once it has
// created the dialog: the external network page then opens request i of the
// document's lists with it.
std::function<void(std::size_t)> RequestDialogCaller(TFMBMaster& dialog, const Document& doc);

} // namespace glt::ui
