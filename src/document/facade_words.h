#pragma once

// A laid facade in Dutch: its two plans as table cells, the joints laid, the stones to order
// and what a stone is, as the Gevel window, its printed sheet and its tables say them.

#include "facade/stretcher_bond.h"

#include "calc/regional_format.h"

#include <QString>
#include <QStringList>

#include <map>
#include <set>

// "Van", "Tot", "Soort", "Koppen", "Koppenmaat", "Stootvoeg", "Gelegd", "Opmerking".
QStringList FacadeHeadHeaders();
// "Van", "Tot", "Lagen", "Lagenmaat", "Lintvoeg", "Opmerking".
QStringList FacadeCourseHeaders();

// What names the points: the openings' names as typed and the kinds of the wall's ends.
struct FacadeNames {
    std::vector<std::string> openings;
    facade::WallEnd leftEnd = facade::WallEnd::OutsideCorner;
    facade::WallEnd rightEnd = facade::WallEnd::OutsideCorner;
};

// A point of either plan by what lies there: "peil", "bovenkant", "linkerhoek", "raam links";
// the openings' own names, or "sparing 2" for one without.
QString FacadePointName(const facade::PlanPoint& point, bool heads, const FacadeNames& names);

class FacadeWording {
public:
    FacadeWording(const facade::FacadeInputs& facade, const facade::FacadePlans& plans,
                  const facade::LaidFacade& laid, calc::RegionalFormat format);

    QStringList headCells(const facade::Stretch& stretch) const;
    QStringList courseCells(const facade::Stretch& stretch) const;
    // "Stootvoegen gelegd van 8,00 tot 16,67"; empty where no run has a joint.
    QString jointsLine() const;
    // "744 strekken, 44 hoekstenen en 62 halve stenen; te bestellen 744 + 44 + 31 = 819 stenen
    // + 5 % breuk = 860".
    QString countLine() const;
    // "laag 15, kop 10: halve steen, voeg 10,00".
    QString pieceText(std::size_t piece) const;

private:
    QString shown(double value) const;
    QString asTyped(double value, const std::optional<calc::Decimal>& typed) const;
    QString pointName(const facade::AxisPlan& plan, std::size_t point, bool heads) const;
    QString limits() const;
    const facade::Run& runOf(std::size_t piece) const;

    const facade::FacadeInputs& m_facade;
    const facade::FacadePlans& m_plans;
    const facade::LaidFacade& m_laid;
    calc::RegionalFormat m_format;
    FacadeNames m_names;
    // The joints laid in the runs between two points of the head plan, and those outside the
    // limits; by the joint's value.
    struct Laid {
        std::set<double> joints;
        std::set<double> outside;
    };
    std::map<std::pair<std::size_t, std::size_t>, Laid> m_between;
    std::optional<double> m_smallest, m_largest;
};
