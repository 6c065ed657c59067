# Writes an rt-peer scenario (see rt-peer --help) of a few minutes of
# airborne traffic around Zurich airport: each flight reports its position
# every 5 s while it flies straight on, climbing or descending evenly, as
# RealTraffic's traffic records (the fields of run/traffic_record.h). The
# QNH is not here: the peer sends it once Vantrel has connected and then
# every minute (rt-peer --qnh-each-minute). A note at the end tells the
# person watching that the traffic is over.
# Run with: awk -v now=$(date +%s) -f traffic.awk
BEGIN {
    pi = atan2(0, -1)
    # hex id, callsign, type, registration, origin, destination, latitude,
    # longitude, track (deg), speed (kt), altitude (ft), climb (fpm), first
    # and last report (s after the start)
    flight(7906305, "SWR101", "A320", "HB-JLT", "LHR", "ZRH", 47.62, 8.25, 125, 220, 9000, -1200, 10, 250)
    flight(3958273, "DLH202", "A320", "D-AIZB", "ZRH", "FRA", 47.47, 8.56, 10, 230, 3000, 1800, 20, 230)
    flight(4735233, "KLM303", "B738", "PH-BXA", "AMS", "ZRH", 47.30, 8.30, 40, 240, 11000, 0, 30, 200)
    flight(4198625, "EZY404", "A320", "G-EZWA", "LGW", "ZRH", 47.65, 8.80, 220, 230, 8000, -800, 40, 260)
    flight(5023105, "RYR505", "B738", "EI-DCL", "BGY", "HHN", 47.40, 8.10, 80, 260, 12000, 0, 15, 255)
    flight(4536577, "SWR606", "B77W", "HB-JNA", "ZRH", "JFK", 47.45, 8.52, 280, 250, 4000, 1500, 60, 270)
    # Vantrel shows the traffic 30 s late and takes an aircraft out when
    # its reports have ended for a while: by then every one has left.
    printf "%d note The demo's traffic is over: its aircraft have left the simulator. Ctrl-C ends Vantrel, the stand-in simulator and the peer.\n", (lastReport + 120) * 1000
}

function flight(hex, callsign, type, registration, origin, destination, lat, lon, track, speed, alt, climb,
                first, last,    t, flownNm, reportLat, reportLon, reportAlt) {
    if (last > lastReport) {
        lastReport = last
    }
    for (t = first; t <= last; t += 5) {
        flownNm = speed * (t - first) / 3600
        reportLat = lat + flownNm * cos(track * pi / 180) / 60
        reportLon = lon + flownNm * sin(track * pi / 180) / (60 * cos(lat * pi / 180))
        reportAlt = alt + climb * (t - first) / 60
        printf "%d traffic RTTFC,%d,%.6f,%.6f,%.0f,%d,1,%.1f,%.0f,%s,%s,%s,%s,%s,%d,x,x,adsb_icao,,,%.0f,,,0,,%.1f,,,A3\n",
               t * 1000, hex, reportLat, reportLon, reportAlt, climb, track, speed, callsign, type, registration,
               origin, destination, now + t, speed, track
    }
}
