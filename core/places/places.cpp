#include "core/places/places.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace sundial {

namespace {

// Menu order; coordinates to the decimals shown (longitude WEST positive).
// Bern, Coleraine, Daytona Beach, Orlando, Bordeaux, Bruxelles and Eindhoven
// hold corrected positions: an earlier list of these towns gave them another
// town's values or was a degree or more off. Tests pin each correction.
// One row per line, as the menus read.
// clang-format off
constexpr std::array<Place, 270> kPlaces = {{
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuBasel", "Basel", "Basel, Switzerland", 47.5f, -7.6f, 1, "Europe/Zurich"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuBern", "Bern", "Bern, Switzerland", 46.95f, -7.5f, 1, "Europe/Zurich"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuChur", "Chur", "Chur, Switzerland", 46.8f, -9.5f, 1, "Europe/Zurich"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuGeneva", "Geneva", "Geneva, Switzerland", 46.1f, -6.1f, 1, "Europe/Zurich"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuGraz", "Graz", "Graz, Austria", 47.1f, -15.5f, 1, "Europe/Vienna"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuInnsbruck", "Innsbruck", "Innsbruck, Austria", 47.3f, -11.3f, 1, "Europe/Vienna"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuLausanne", "Lausanne", "Lausanne, Switzerland", 46.5f, -6.6f, 1, "Europe/Zurich"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuLinz", "Linz", "Linz, Austria", 48.3f, -14.3f, 1, "Europe/Vienna"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuLugano", "Lugano", "Lugano, Switzerland", 46.01f, -9.01f, 1, "Europe/Zurich"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuSalzburg", "Salzburg", "Salzburg, Austria", 47.8f, -13.1f, 1, "Europe/Vienna"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuVienna", "Vienna", "Vienna, Austria", 48.2f, -16.4f, 1, "Europe/Vienna"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuVillach", "Villach", "Villach, Austria", 46.6f, -13.9f, 1, "Europe/Vienna"},
    {Region::WestEurope, "mnuAustriaSwita", "Austria/Switz", "mnuZurich", "Zurich", "Zurich, Switzerland", 47.3f, -8.5f, 1, "Europe/Zurich"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuAmsterdam", "Amsterdam", "Amsterdam, Benelux", 52.4f, -4.9f, 1, "Europe/Amsterdam"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuArnhem", "Arnhem", "Arnhem, Benelux", 52.01f, -5.9f, 1, "Europe/Amsterdam"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuBrugge", "Brugge", "Brugge, Benelux", 51.2f, -3.2f, 1, "Europe/Brussels"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuBruxelles", "Bruxelles", "Bruxelles, Benelux", 50.8f, -4.4f, 1, "Europe/Brussels"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuEindhoven", "Eindhoven", "Eindhoven, Benelux", 51.4f, -5.5f, 1, "Europe/Amsterdam"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuGroningen", "Groningen", "Groningen, Benelux", 53.3f, -6.5f, 1, "Europe/Amsterdam"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuLiege", "Liege", "Leige, Benelux", 50.7f, -5.6f, 1, "Europe/Brussels"},
    {Region::WestEurope, "mnuBenelux", "Benelux", "mnuLuxembourg", "Luxembourg", "Luxembourg, Benelux", 49.5f, -6.1f, 1, "Europe/Luxembourg"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuAberdeen", "Aberdeen", "Aberdeen, Britain", 57.2f, 2.1f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuBirmingham", "Birmingham", "Birmingham, Britain", 52.5f, 1.9f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuBristol", "Bristol", "Bristol, Britain", 51.5f, 2.6f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuCarmarthen", "Carmarthen", "Carmarthen, Britain", 51.3f, 4.3f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuDover", "Dover", "Dover, Britain", 51.1f, -1.4f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuEdinburgh", "Edinburgh", "Edinburgh, Britain", 55.9f, 3.2f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuExeter", "Exeter", "Exeter, Britain", 50.7f, 3.5f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuGlasgow", "Glasgow", "Glasgow, Britain", 55.8f, 4.3f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuHolyhead", "Holyhead", "Holyhead, Britain", 53.3f, 4.6f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuInverness", "Inverness", "Inverness, Britain", 57.5f, 4.2f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuLiverpool", "Liverpool", "Liverpool, Britain", 53.4f, 2.9f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuLondon", "London", "London, Britain", 51.5f, 0.1f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuNewcastle", "Newcastle", "Newcastle, Britain", 55.01f, 1.5f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuNorthampton", "Northampton", "Northampton, Britain", 52.2f, 0.9f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuNorwich", "Norwich", "Norwich, Britain", 52.6f, -1.3f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuPenzance", "Penzance", "Penzance, Britain", 50.1f, 5.5f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuSouthampton", "Southampton", "Southampton, Britain", 50.9f, 1.4f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuStranraer", "Stranraer", "Stranraer, Britain", 54.9f, 5.0f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuYork", "York", "York, Britain", 53.9f, 1.1f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuOrkney", "Orkney", "Orkney, Britain", 59.0f, 3.0f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuStornoway", "Stornoway", "Stornoway, Britain", 58.2f, 6.4f, 0, "Europe/London"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuIsleofMann", "Isle of Mann", "Isle of Mann, Britain", 54.2f, 4.5f, 0, "Europe/Isle_of_Man"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuGuernsey", "Guernsey", "Guernsey, Britain", 49.5f, 2.6f, 0, "Europe/Guernsey"},
    {Region::WestEurope, "mnuBritain", "Britain", "mnuScilly", "Scilly", "Scilly, Britain", 49.9f, 6.3f, 0, "Europe/London"},
    {Region::WestEurope, "mnuDenmark", "Denmark", "mnuAalborg", "Aalborg", "Aalborg, Denmark", 57.1f, -10.01f, 1, "Europe/Copenhagen"},
    {Region::WestEurope, "mnuDenmark", "Denmark", "mnuCopenhagen", "Copenhagen", "Copenhagen, Denmark", 55.6f, -12.5f, 1, "Europe/Copenhagen"},
    {Region::WestEurope, "mnuDenmark", "Denmark", "mnuEshjerg", "Eshjerg", "Eshjerg, Denmark", 54.8f, -8.5f, 1, "Europe/Copenhagen"},
    {Region::WestEurope, "mnuDenmark", "Denmark", "mnuOdense", "Odense", "Odense, Denmark", 55.4f, -10.4f, 1, "Europe/Copenhagen"},
    {Region::WestEurope, "mnuFrance", "France", "mnuAmiens", "Amiens", "Amiens, France", 49.9f, -2.3f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuBayonne", "Bayonne", "Bayonne, France", 43.5f, 1.5f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuBordeaux", "Bordeaux", "Bordeaux, France", 44.8f, 0.6f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuBrest", "Brest", "Brest, France", 48.4f, 4.5f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuCaen", "Caen", "Caen, France", 49.1f, 0.4f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuCalais", "Calais", "Calais, France", 51.01f, -1.9f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuChartres", "Chartres", "Chartres, France", 48.5f, -1.5f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuCherbourg", "Cherbourg", "Cherbourg, France", 49.7f, 1.7f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuClermont", "Clermont", "Clermont, France", 45.8f, -3.1f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuDieppe", "Dieppe", "Dieppe, France", 49.9f, -1.01f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuDijon", "Dijon", "Dijon, France", 47.3f, -5.01f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuGrenoble", "Grenoble", "Grenoble, France", 45.2f, -5.7f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuLaRochelle", "La Rochelle", "La Rochelle, France", 46.2f, 1.1f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuLeHavre", "Le Havre", "Le Havre, France", 49.5f, -0.1f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuLeMans", "Le Mans", "Le Mans, France", 48.01f, -0.2f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuLille", "Lille", "Lille, France", 50.6f, -3.1f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuLyon", "Lyon", "Lyon, France", 45.8f, -4.8f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuMarseille", "Marseille", "Marseille, France", 43.4f, -5.4f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuMetz", "Metz", "Metz, France", 49.1f, -6.2f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuMontpellier", "Montpellier", "Montpellier, France", 43.6f, -3.9f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuMulhouse", "Mulhouse", "Mulhouse, France", 47.8f, -7.3f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuNantes", "Nantes", "Nantes, France", 47.2f, 1.5f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuNevers", "Nevers", "Nevers, France", 47.01f, -3.2f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuNice", "Nice", "Nice, France", 43.7f, -7.3f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuOrleans", "Orleans", "Orleans, France", 47.9f, -1.9f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuParis", "Paris", "Paris, France", 48.8f, -2.3f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuPerpignan", "Perpignan", "Perpignan, France", 42.6f, -2.9f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuReims", "Reims", "Reims, France", 49.3f, -4.01f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuRennes", "Rennes", "Rennes, France", 48.1f, 1.7f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuSaintMarlo", "Saint Marlo", "St Marlo, France", 48.7f, 2.01f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuStrasbourg", "Strasbourg", "Strasbourg, France", 48.6f, -7.8f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuToulouse", "Toulouse", "Toulouse, France", 43.6f, -1.4f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuTours", "Tours", "Tours, France", 47.4f, -0.6f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuTroyes", "Troyes", "Troyes, France", 48.3f, -4.1f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuFrance", "France", "mnuVannes", "Vannes", "Vannes, France", 47.7f, 2.8f, 1, "Europe/Paris"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuBerlin", "Berlin", "Berlin, Germany", 52.5f, -13.4f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuBremen", "Bremen", "Bremen, Germany", 53.1f, -8.8f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuDresden", "Dresden", "Dresden, Germany", 51.001f, -13.8f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuDusseldorf", "Dusseldorf", "Dusseldorf, Germany", 51.2f, -6.8f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuErfurt", "Erfurt", "Erfurt, Germany", 51.01f, -11.01f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuFrankfurt", "Frankfurt", "Frankfurt, Germany", 50.2f, -8.7f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuHamburg", "Hamburg", "Hamburg, Germany", 53.6f, -10.01f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuHannover", "Hannover", "Hannover, Germany", 52.4f, -9.8f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuHof", "Hof", "Hof, Germany", 50.3f, -11.9f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuKassel", "Kassel", "Kassel, Germany", 51.3f, -9.5f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuLeipzig", "Leipzig", "Leipzig, Germany", 51.3f, -12.3f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuMunich", "Munich", "Munich, Germany", 48.2f, -11.6f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuNeunkirchen", "Neunkirchen", "Neunkirchen, Germany", 49.3f, -7.3f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuNurnberg", "Nurnberg", "Nurnberg, Germany", 49.4f, -11.1f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuOsnabruck", "Osnabruck", "Osnabruck, Germany", 52.3f, -8.01f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuRegensburg", "Regensburg", "Regensburg, Germany", 49.01f, -12.1f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuRostock", "Rostock", "Rostock, Germany", 54.1f, -12.1f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuSchleswig", "Schleswig", "Schleswig, Germany", 54.5f, -9.5f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuGermany", "Germany", "mnuStuttgart", "Stuttgart", "Stuttgart, Germany", 48.8f, -9.2f, 1, "Europe/Berlin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuArmagh", "Armagh", "Armagh, Ireland", 54.3f, 6.7f, 0, "Europe/London"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuBelfast", "Belfast", "Belfast, Ireland", 54.6f, 5.9f, 0, "Europe/London"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuCarlow", "Carlow", "Carlow, Ireland", 52.8f, 6.9f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuColeraine", "Coleraine", "Coleraine, Ireland", 55.1f, 6.7f, 0, "Europe/London"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuCork", "Cork", "Cork, Ireland", 51.8f, 8.5f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuDublin", "Dublin", "Dublin, Ireland", 53.4f, 6.2f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuGalway", "Galway", "Galway, Ireland", 53.3f, 9.0f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuLimerick", "Limerick", "Limerick, Ireland", 52.6f, 8.6f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuLongford", "Longford", "Longford, Ireland", 53.7f, 7.8f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuOmagh", "Omagh", "Omagh, Ireland", 54.6f, 7.3f, 0, "Europe/London"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuSligo", "Sligo", "Sligo, Ireland", 53.4f, 8.5f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuTralee", "Tralee", "Tralee, Ireland", 52.3f, 9.7f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuIreland", "Ireland", "mnuWaterford", "Waterford", "Waterford, Ireland", 52.2f, 7.1f, 0, "Europe/Dublin"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuAncona", "Ancona", "Ancona, Italy", 43.6f, -13.6f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuAosta", "Aosta", "Aosta, Italy", 45.8f, -7.4f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuBari", "Bari", "Bari, Italy", 41.2f, -16.9f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuBologna", "Bologna", "Bologna, Italy", 44.5f, -11.3f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuBolzano", "Bolzano", "Bolzano, Italy", 46.5f, -11.4f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuCagliari", "Cagliari", "Cagliari, Italy", 39.2f, -9.1f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuCatina", "Catina", "Catina, Italy", 37.5f, -15.1f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuCosenza", "Cosenza", "Cosenza, Italy", 38.9f, -16.6f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuFirenze", "Firenze", "Firenze, Italy", 43.8f, -11.2f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuFoggia", "Foggia", "Foggia, Italy", 41.5f, -15.6f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuGenova", "Genova", "Genova, Italy", 44.4f, -8.9f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuLaSpezia", "La Spezia", "La Spezia, Italy", 44.1f, -9.8f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuLecce", "Lecce", "Lecce, Italy", 40.4f, -18.2f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuLicata", "Licata", "Licata, Italy", 37.1f, -13.9f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuMessina", "Messina", "Messina, Italy", 38.2f, -15.5f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuMilano", "Milano", "Milano, Italy", 45.5f, -9.1f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuNapoli", "Napoli", "Napoli, Italy", 40.8f, -14.3f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuNuoro", "Nuoro", "Nuoro, Italy", 40.4f, -9.4f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuParma", "Parma", "Parma, Italy", 44.8f, -10.2f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuPerugia", "Perugia", "Perugia, Italy", 43.1f, -12.4f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuPescara", "Pescara", "Pescara, Italy", 42.5f, -14.3f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuPlaermo", "Plaermo", "Plaermo, Italy", 38.2f, -13.4f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuPotenza", "Petenza", "Potenza, Italy", 40.6f, -15.8f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuRimini", "Rimini", "Rimini, Italy", 44.05f, -12.55f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuRoma", "Roma", "Roma, Italy", 41.9f, -12.5f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuSassari", "Sassari", "Sassari, Italy", 40.7f, -8.5f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuTaranto", "Taranto", "Taranto, Italy", 40.5f, -17.3f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuTorino", "Torino", "Torino, Italy", 45.1f, -7.6f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuUdine", "Udine", "Udine, Italy", 46.1f, -13.3f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuVenice", "Venice", "Venice, Italy", 45.4f, -12.3f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuItaly", "Italy", "mnuVerona", "Verona", "Verona, Italy", 45.4f, -10.95f, 1, "Europe/Rome"},
    {Region::WestEurope, "mnuPortugal", "Portugal", "mnuCoimbra", "Coimbra", "Coimbra, Portugal", 40.2f, 8.4f, 0, "Europe/Lisbon"},
    {Region::WestEurope, "mnuPortugal", "Portugal", "mnuCovilha", "Covilha", "Covilha, Portugal", 40.3f, 7.5f, 0, "Europe/Lisbon"},
    {Region::WestEurope, "mnuPortugal", "Portugal", "mnuEvora", "Evora", "Evora, Portugal", 38.6f, 7.9f, 0, "Europe/Lisbon"},
    {Region::WestEurope, "mnuPortugal", "Portugal", "mnuFaro", "Faro", "Faro, Portugal", 37.05f, 7.9f, 0, "Europe/Lisbon"},
    {Region::WestEurope, "mnuPortugal", "Portugal", "mnuLagos", "Lagos", "Lagos, Portugal", 37.1f, 8.8f, 0, "Europe/Lisbon"},
    {Region::WestEurope, "mnuPortugal", "Portugal", "mnuLisboa", "Lisboa", "Lisboa, Portugal", 38.7f, 9.1f, 0, "Europe/Lisbon"},
    {Region::WestEurope, "mnuPortugal", "Portugal", "mnuPorto", "Porto", "Porto, Portugal", 41.2f, 8.6f, 0, "Europe/Lisbon"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuAlacant", "Alacant", "Alacant, Spain", 38.3f, 0.5f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuAlbacete", "Albacete", "Albacete, Spain", 39.01f, 1.9f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuAlmeria", "Almeria", "Almeria, Spain", 36.8f, 2.5f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuAndorra", "Andorra", "Andorra, Spain", 42.5f, -1.6f, 0, "Europe/Andorra"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuBadajoz", "Badajoz", "Badajoz, Spain", 38.9f, 6.95f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuBarcelona", "Barcelona", "Barcelona, Spain", 41.4f, -2.2f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuBilbao", "Bilbao", "Bilbao, Spain", 43.3f, 2.95f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuBurgos", "Burgos", "Burgos, Spain", 42.3f, 3.7f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuCadiz", "Cadiz", "Cadiz, Spain", 36.5f, 6.3f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuCartagena", "Cartagena", "Cartagena, Spain", 37.6f, 0.95f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuCordoba", "Cordoba", "Cordoba, Spain", 37.9f, 4.7f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuCuenca", "Cuenca", "Cuenca, Spain", 40.1f, 2.1f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuGibralta", "Gibralta", "Gibralta, Spain", 36.2f, 5.4f, 0, "Europe/Gibraltar"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuGranada", "Granada", "Granada, Spain", 37.2f, 3.6f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuHuelva", "Huelva", "Huelva, Spain", 37.2f, 6.95f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuLaCoruna", "La Coruna", "La Coruna, Spain", 43.4f, 8.4f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuLeon", "Leon", "Leon, Spain", 42.6f, 5.6f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuLleida", "Lleida", "Lleida, Spain", 41.6f, -0.8f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuLogrono", "Logrono", "Logrono, Spain", 42.4f, 2.4f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuMadrid", "Madrid", "Madrid, Spain", 40.4f, 3.6f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuMalaga", "Malaga", "Malaga, Spain", 36.7f, 4.4f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuOviedo", "Oviedo", "Oviedo, Spain", 43.4f, 5.8f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuPalma", "Palma", "Palma, Spain", 39.6f, -2.6f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuSalamanca", "Salamanca", "Salamanca, Spain", 40.95f, 5.6f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuSantander", "Santander", "Santander, Spain", 43.45f, 3.8f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuSevilla", "Sevilla", "Sevilla, Spain", 37.3f, 6.01f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuValencia", "Valencia", "Valencia, Spain", 39.5f, 0.4f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuValladolid", "Valladolid", "Valladolid, Spain", 41.6f, 4.6f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuVigo", "Vigo", "Vigo, Spain", 42.2f, 8.7f, 0, "Europe/Madrid"},
    {Region::WestEurope, "mnuSpain", "Spain", "mnuZaragoza", "Zaragoza", "Zaragoza, Spain", 41.7f, 0.9f, 0, "Europe/Madrid"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuBudapest", "Budapest", "Budapest, Hungary", 47.5f, -19.1f, 1, "Europe/Budapest"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuDebrecen", "Debrecen", "Debrecen, Hungary", 47.5f, -21.6f, 1, "Europe/Budapest"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuGyor", "Gyor", "Gyor, Hungary", 47.7f, -17.7f, 1, "Europe/Budapest"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuMiskolc", "Miskolc", "Miskolc, Hungary", 48.1f, -20.8f, 1, "Europe/Budapest"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuPecs", "Pecs", "Pecs, Hungary", 46.1f, -18.2f, 1, "Europe/Budapest"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuSzeged", "Szeged", "Szeged, Hungary", 46.2f, -20.1f, 1, "Europe/Budapest"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuSzelnok", "Szelnok", "Szelnok, Hungary", 47.2f, -20.2f, 1, "Europe/Budapest"},
    {Region::EastEurope, "mnuHungary", "Hungary", "mnuZalaegerszeg", "Zalaegerszeg", "Zaleagerszeg, Hungary", 46.9f, -16.9f, 1, "Europe/Budapest"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuAberdeen", "Aberdeen", "Aberdeen, USA", 47.01f, 123.9f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuBakersfield", "Bakersfield", "Bakersfield, USA", 35.4f, 119.01f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuBarstow", "Barstow", "Barstow, USA", 34.9f, 117.01f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuEugene", "Eugene", "Eugene, USA", 44.05f, 123.05f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuEureka", "Eureka", "Eureka, USA", 40.8f, 124.2f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuFrenso", "Frenso", "Frenso, USA", 36.8f, 119.8f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuLasVegas", "Las Vegas", "Las Vegas, USA", 36.2f, 115.1f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuLosAngeles", "Los Angeles", "Los Angeles, USA", 34.01f, 118.2f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuMountVernon", "Mount Vernon", "Mount Vernon, USA", 48.4f, 122.3f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuPalmSprings", "Palm Springs", "Palm Springs, USA", 33.9f, 116.5f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuPasco", "Pasco", "Pasco, USA", 46.2f, 119.1f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuPortland", "Portland", "Portland, USA", 45.5f, 122.6f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuRedding", "Redding", "Redding, USA", 40.6f, 122.3f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuReno", "Reno", "Reno, USA", 39.5f, 119.8f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSacramento", "Sacramento", "Sacramento, USA", 38.6f, 121.5f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSalinas", "Salinas", "Salinas, USA", 36.6f, 121.6f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSanBernardino", "San Bernardino", "San Bernardino, USA", 34.1f, 117.2f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSanDiego", "San Diego", "San Diego, USA", 32.7f, 117.2f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSanFrancisco", "San Francisco", "San Francisco, USA", 37.6f, 122.5f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSantaBarbara", "Santa Barbara", "Santa Barbara, USA", 34.4f, 119.6f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSeattle", "Seattle", "Seattle, USA", 47.6f, 122.2f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuSpokane", "Spokane", "Spokane, USA", 47.7f, 117.4f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuStockton", "Stockton", "Stockton, USA", 37.95f, 121.3f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuWenatchee", "Wenatchee", "Wenatchee, USA", 47.4f, 120.2f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuWestUSA", "West USA", "mnuYakima", "Yakima", "Yakima, USA", 46.6f, 120.5f, -7, "America/Los_Angeles"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuAlexandria", "Alexandria", "Alexandria, USA", 31.3f, 92.4f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuAustin", "Austin", "Austin, USA", 30.2f, 97.7f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuBirmingham", "Birmingham", "Birmingham, USA", 33.5f, 86.8f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuCorpusChristi", "Corpus Christi", "Corpus Christi, USA", 27.8f, 97.4f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuDallas", "Dallas", "Dallas, USA", 32.7f, 96.7f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuHouston", "Houston", "Houston, USA", 29.6f, 95.3f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuLakeCharles", "Lake Charles", "Lake Charles, USA", 30.2f, 93.2f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuLittleRock", "Little Rock", "Little Rock, USA", 34.7f, 92.3f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuMemphis", "Memphis", "Memphis, USA", 35.2f, 90.05f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuMeridian", "Meridian", "Meridian, USA", 32.4f, 88.7f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuMobile", "Mobile", "Mobile, USA", 30.7f, 88.1f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuMonroe", "Monroe", "Monroe, USA", 32.5f, 92.1f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuMontgomery", "Montgomery", "Montgomery, USA", 32.3f, 86.3f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuNewOrleans", "New Orleans", "New Orleans, USA", 30.01f, 90.1f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuOklahomaCity", "Oklahoma City", "Oklahoma City, USA", 35.5f, 97.5f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuPanamaCity", "Panama City", "Panama City, USA", 30.1f, 85.7f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuSanAntonio", "San Antonio", "San Antonio, USA", 29.4f, 98.4f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuShreveport", "Shreveport", "Shreveport, USA", 32.5f, 93.7f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuTulsa", "Tulsa", "Tulsa, USA", 36.2f, 96.01f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuTupeto", "Tupeto", "Tupeto, USA", 34.2f, 88.7f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuWaco", "Waco", "Waco, USA", 31.5f, 97.2f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthUSA", "South USA", "mnuWichitaFalls", "Wichita Falls", "Wichita Falls, USA", 33.9f, 98.5f, -6, "America/Chicago"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuAtlanta", "Atlanta", "Atlanta, USA", 33.7f, 84.4f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuAugusta", "Augusta", "Augusta, USA", 33.4f, 82.01f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuCharleston", "Charleston", "Charleston, USA", 32.9f, 79.98f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuCharlotte", "Charlotte", "Charlotte, USA", 35.3f, 80.8f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuChattanooga", "Chattanooga", "Chattanooga, USA", 35.05f, 85.3f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuColumbus", "Columbus", "Columbus, USA", 32.4f, 84.95f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuDaytonaBeach", "Daytona Beach", "Daytona Beach, USA", 29.2f, 81.0f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuFortMyers", "Fort Myers", "Fort Myers, USA", 26.6f, 81.95f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuGreenville", "Greenville", "Greenville, USA", 34.9f, 82.9f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuJacksonville", "Jacksonville", "Jacksonville, USA", 30.3f, 81.6f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuMiami", "Miami", "Miami, USA", 25.9f, 80.2f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuNewBern", "New Bern", "New Bern, USA", 35.1f, 77.01f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuNorfolk", "Norfolk", "Norfolk, USA", 36.9f, 76.4f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuOrlando", "Orlando", "Orlando, USA", 28.5f, 81.4f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuRaleigh", "Raleigh", "Raleigh, USA", 35.7f, 78.6f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuRoanoke", "Roanoke", "Roanoke, USA", 37.3f, 79.95f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuSavannah", "Savannah", "Savannah, USA", 32.1f, 81.1f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuStPetersburg", "St Petersburg", "St Petersburg, USA", 27.8f, 82.7f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuTallahassee", "Tallahassee", "Tallahassee, USA", 30.4f, 84.3f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuSouthEastUSA", "South East USA", "mnuWestPalmBeach", "West Palm Beach", "WestPalmBeach, USA", 26.7f, 80.1f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuAlbany", "Albany", "Albany, USA", 42.7f, 73.8f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuBoston", "Boston", "Boston, USA", 42.4f, 71.1f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuBuffalo", "Buffalo", "Buffalo, USA", 42.85f, 78.8f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuChicago", "Chicago", "Chicago, USA", 41.8f, 87.7f, -5, "America/Chicago"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuCincinnati", "Cincinnati", "Cincinnati, USA", 39.2f, 84.5f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuCleveland", "Cleveland", "Cleveland, USA", 41.4f, 81.6f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuDetroit", "Detroit", "Detroit, USA", 42.3f, 83.2f, -5, "America/Detroit"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuNewYork", "New York", "NewYork, USA", 40.8f, 74.1f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuPhiladelphia", "Philadelphia", "Philadelphia, USA", 40.01f, 75.1f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuPittsburg", "Pittsburg", "Pittsburg, USA", 40.4f, 79.9f, -5, "America/New_York"},
    {Region::NorthAmerica, "mnuNorthEastUSA", "North East USA", "mnuWashington", "Washington", "Washington, USA", 38.9f, 77.1f, -5, "America/New_York"},
}};
// clang-format on

// The row a first start picks. Found at compile time, so a renamed or removed
// row fails the build rather than start-up.
constexpr std::size_t IndexOfItem(Region region, std::string_view itemName) {
    for (std::size_t i = 0; i < kPlaces.size(); ++i) {
        if (kPlaces[i].region == region && kPlaces[i].itemName == itemName) return i;
    }
    return kPlaces.size();
}
constexpr std::size_t kDefaultPlaceIndex = IndexOfItem(Region::WestEurope, "mnuExeter");
static_assert(kDefaultPlaceIndex < kPlaces.size());

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "Aberdeen, USA" from caption "Aberdeen" and place name "Aberdeen, USA":
// the caption joined with what follows the place name's comma.
std::string CaptionWithCountry(const Place& p) {
    const std::string_view name = p.placeName;
    const auto comma = name.find(',');
    return std::string(p.caption) +
           std::string(comma == std::string_view::npos ? "" : name.substr(comma));
}

}  // namespace

std::span<const Place> Places() {
    return kPlaces;
}

const Place& DefaultPlace() {
    return kPlaces[kDefaultPlaceIndex];
}

std::vector<const Place*> PlacesIn(Region region) {
    std::vector<const Place*> rows;
    for (const Place& p : kPlaces) {
        if (p.region == region) rows.push_back(&p);
    }
    return rows;
}

const char* RegionCaption(Region region) {
    switch (region) {
        case Region::WestEurope:
            return "West Europe";
        case Region::EastEurope:
            return "East Europe";
        case Region::NorthAmerica:
            return "North America";
    }
    return "";
}

const char* RegionWindowName(Region region) {
    switch (region) {
        case Region::WestEurope:
            return "frmWestEurope";
        case Region::EastEurope:
            return "frmEastEurope";
        case Region::NorthAmerica:
            return "frmNorthAmerica";
    }
    return "";
}

void ApplyPlace(SiteState& site, const Place& place) {
    site.PlaceName = place.placeName;
    site.Latitude = place.latitude;
    site.Longitude = place.longitude;
}

const Place* PlaceOf(const SiteState& site) {
    for (const Place& p : kPlaces) {
        if (site.PlaceName == p.placeName && site.Latitude == p.latitude &&
            site.Longitude == p.longitude) {
            return &p;
        }
    }
    return nullptr;
}

std::vector<const Place*> FindPlaces(std::string_view text) {
    std::vector<const Place*> found;
    for (const Place& p : kPlaces) {
        if (EqualNoCase(text, p.caption) || EqualNoCase(text, p.placeName) ||
            EqualNoCase(text, CaptionWithCountry(p))) {
            found.push_back(&p);
        }
    }
    return found;
}

}  // namespace sundial
