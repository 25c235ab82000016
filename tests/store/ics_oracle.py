# The occurrences of every .ics file of a folder as an independent reader
# (python3-recurring-ical-events) sees them, in the half-hour slots of each
# zone given: "zone<TAB>file<TAB>slot YYYY-MM-DD HH:MM<TAB>uid" for timed
# events, "zone<TAB>file<TAB>day YYYY-MM-DD<TAB>uid" for each day an
# all-day event covers and for each journal. Run with /usr/bin/python3 (Debian's packages).
import datetime
import os
import sys
import zoneinfo

import icalendar
import recurring_ical_events

folder, zones = sys.argv[1], sys.argv[2:]
# The test compares up to the end of this window (kReaderWindowEnd there):
# the zones this reader makes of a file's VTIMEZONE keep no daylight saving
# after 2037, so later occurrences would be compared with wrong times.
first = datetime.datetime(1900, 1, 1)
last = datetime.datetime(2038, 1, 20)
for name in sorted(os.listdir(folder)):
    if not name.endswith(".ics"):
        continue
    try:
        calendar = icalendar.Calendar.from_ical(open(os.path.join(folder, name), "rb").read())
        events = recurring_ical_events.of(calendar, components=["VEVENT", "VJOURNAL"]).between(first, last)
    except Exception as error:  # the test names the file the reader refused
        print("ERROR", name, repr(error), sep="\t")
        continue
    for zone in zones:
        tz = zoneinfo.ZoneInfo(zone)
        for event in events:
            uid = str(event.get("UID", ""))
            start = event["DTSTART"].dt
            if event.name == "VJOURNAL":  # day notes: the day as written
                day = start.date() if isinstance(start, datetime.datetime) else start
                print(zone, name, "day " + day.isoformat(), uid, sep="\t")
                continue
            if not isinstance(start, datetime.datetime):
                end = event["DTEND"].dt if "DTEND" in event else None
                if "DURATION" in event and end is None:
                    end = start + event["DURATION"].dt
                days = (end - start).days if isinstance(end, datetime.date) and not isinstance(end, datetime.datetime) else 1
                for n in range(min(max(days, 1), 366)):
                    print(zone, name, "day " + (start + datetime.timedelta(days=n)).isoformat(), uid, sep="\t")
                continue
            if start.tzinfo is not None:
                start = start.astimezone(tz)
            print(zone, name, "slot %s %02d:%02d" % (start.date().isoformat(), start.hour, start.minute // 30 * 30), uid, sep="\t")
