#include "documents/blocktexts.h"

namespace {

QString checkTooltip(const QString& what) {
  return QStringLiteral("right mark this box  if product description is %1...then write description  in box right "
                        "side to it..")
      .arg(what);
}

BlockTexts sharedTexts() {
  BlockTexts texts;
  texts.frameCaption = QStringLiteral("ITEM REQUIREMENTS");
  texts.descriptionTooltip = QStringLiteral(
      "use format-->> ITEM DESC. #1(QUANTITY) / ITEM DESC. #2(QUANTITY) / ITEM DESC. #3(QUANTITY) / so on...");
  texts.quantityTooltip =
      QStringLiteral("TOTAL QUANTITY OF ITEM FROM LEFT SIDE DESCRIPTION..  USE DIGITS ( 0 TO 9)  ONLY");
  texts.makeTooltip = QStringLiteral("MANUFACTURER NAME FOR THIS ITEM..WRITE OR SELECT FROM LIST..");
  return texts;
}

}  // namespace

BlockTexts inquiryBlockTexts() {
  BlockTexts texts = sharedTexts();
  texts.checkTooltips = {checkTooltip(QStringLiteral(" CATEGORY1  related")),
                         checkTooltip(QStringLiteral("CATEGORY2  related")),
                         checkTooltip(QStringLiteral(" CATEGORY3  related")),
                         checkTooltip(QStringLiteral("CATEGORY4  related")),
                         checkTooltip(QStringLiteral("CATEGORY5  related")),
                         checkTooltip(QStringLiteral(" CATEGORY6  related")),
                         checkTooltip(QStringLiteral(" miscellenous"))};
  texts.makeListPrefix = QStringLiteral("admanf");
  return texts;
}

BlockTexts quotationBlockTexts() {
  BlockTexts texts = inquiryBlockTexts();
  texts.checkTooltips[0] = checkTooltip(QStringLiteral("CATEGORY1 related"));
  texts.checkTooltips[1] = checkTooltip(QStringLiteral("CATEGORY2  elated"));
  texts.checkTooltips[2] = checkTooltip(QStringLiteral("CATEGORY3   related"));
  texts.checkTooltips[5] = checkTooltip(QStringLiteral("CATEGORY6  related"));
  texts.checkTooltips[6] = checkTooltip(QStringLiteral("misccellenous"));
  texts.makeListPrefix = QStringLiteral("adomanf");
  return texts;
}

BlockTexts purchaseOrderBlockTexts() {
  BlockTexts texts = inquiryBlockTexts();
  texts.frameCaption.clear();
  texts.frameTooltip = QStringLiteral("FRAME WHICH CONTAIN ITEM INFORMATION..");
  texts.quantityTooltip = QStringLiteral("USE DIGITS ( 0 TO 9)  ONLY");
  texts.checkTooltips[6] = QStringLiteral(
      "right mark this box  if product description is of miscellenous category..then write description  in box right "
      "side to it..");
  texts.makeListPrefix = QStringLiteral("adomanf");  // the known makes, sorted, as on the quotation form
  return texts;
}

BlockTexts invoiceBlockTexts() {
  BlockTexts texts;  // no caption and no tooltips on this form
  texts.makeListPrefix = QStringLiteral("ado");
  return texts;
}
