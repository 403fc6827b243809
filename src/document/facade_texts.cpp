#include "facade_texts.h"

namespace {

facade::BrickTexts BricksOf(const BrickTexts& bricks)
{
    return {bricks.stone.toStdString(), bricks.joint.toStdString(), bricks.jointFrom.toStdString(),
            bricks.jointTo.toStdString()};
}

} // namespace

facade::FacadeTexts FacadeTextsOf(const CourseProject& project)
{
    const FacadeSettings settings = project.facadeSettings();
    facade::FacadeTexts texts;
    texts.heads = BricksOf(project.bricks[1]);
    texts.stoneLength = settings.stoneLength.toStdString();
    texts.courses = BricksOf(project.bricks[0]);
    texts.width = settings.width.toStdString();
    texts.height = settings.height.toStdString();
    texts.leftEnd = settings.leftEnd;
    texts.rightEnd = settings.rightEnd;
    texts.first = settings.first;
    texts.breakage = settings.breakage.toStdString();
    for (const OpeningRow& row : settings.openings)
        texts.openings.push_back({row.name.toStdString(), row.left.toStdString(),
                                  row.right.toStdString(), row.bottom.toStdString(),
                                  row.top.toStdString()});
    return texts;
}
